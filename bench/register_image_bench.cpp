// Building a register image and its hex payload, and parsing a read reply: the work done per
// register of a save or a read besides the waits.
#include <benchmark/benchmark.h>

#include "wifimodule/wifi_settings.h"

namespace {

void BM_BuildWepImageAndPayload(benchmark::State& state) {
    tarvek::WifiSettings settings;
    tarvek::KeyEntry entry;
    entry.encryption = tarvek::kWepSize104;
    entry.keyId = 1;
    entry.keyText[1] = "000102030405060708090A0B0C";
    for (auto _ : state) {
        const tarvek::Bytes image = tarvek::BuildRegisterImage(7, settings, entry);
        std::string payload =
            tarvek::EncodeHexPayload(image.data(), static_cast<int>(image.size()));
        benchmark::DoNotOptimize(payload);
    }
}
BENCHMARK(BM_BuildWepImageAndPayload);

void BM_ParseReadReply(benchmark::State& state) {
    tarvek::WifiSettings settings;
    const tarvek::Bytes image = tarvek::BuildRegisterImage(7, settings, tarvek::KeyEntry{});
    std::string hex = tarvek::EncodeHexPayload(image.data(), static_cast<int>(image.size()));
    hex.pop_back();
    const std::string reply = "701\r\n" + hex + "\r\n";
    for (auto _ : state) {
        int r =
            tarvek::ParseReply(7, reinterpret_cast<const std::uint8_t*>(reply.data()),
                               static_cast<int>(reply.size()), tarvek::ReplyMode::Read, settings);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_ParseReadReply);

}  // namespace
