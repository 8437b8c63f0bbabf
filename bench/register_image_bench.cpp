// Building a register image and its hex payload, and parsing a read reply: the work done per
// register of a save or a read besides the waits.
#include <benchmark/benchmark.h>

#include "wifimodule/module_settings.h"

namespace {

void BM_BuildWepImageAndPayload(benchmark::State& state) {
    tarvek::ModuleSettings settings;
    settings.wep104[1] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (auto _ : state) {
        const tarvek::Bytes image = tarvek::BuildRegisterImage(7, settings);
        std::string payload =
            tarvek::EncodeHexPayload(image.data(), static_cast<int>(image.size()));
        benchmark::DoNotOptimize(payload);
    }
}
BENCHMARK(BM_BuildWepImageAndPayload);

void BM_ParseReadReply(benchmark::State& state) {
    tarvek::ModuleSettings settings;
    const tarvek::Bytes image = tarvek::BuildRegisterImage(7, settings);
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
