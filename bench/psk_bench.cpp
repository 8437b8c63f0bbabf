// The WPA key derivation against OpenSSL's PBKDF2-HMAC-SHA1 (4096 iterations, 32 bytes).
#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstring>

#include "wifimodule/psk.h"

namespace {

const char kPassphrase[] = "ThisIsAPassword";
const char kSsid[] = "ThisIsASSID";

void BM_DerivePsk(benchmark::State& state) {
    for (auto _ : state) {
        tarvek::Psk psk = tarvek::DerivePsk(kPassphrase, kSsid);
        benchmark::DoNotOptimize(psk);
    }
}
BENCHMARK(BM_DerivePsk)->Unit(benchmark::kMillisecond);

void BM_OpenSslPbkdf2(benchmark::State& state) {
    unsigned char key[32];
    for (auto _ : state) {
        PKCS5_PBKDF2_HMAC_SHA1(kPassphrase, static_cast<int>(std::strlen(kPassphrase)),
                               reinterpret_cast<const unsigned char*>(kSsid),
                               static_cast<int>(std::strlen(kSsid)), 4096, 32, key);
        benchmark::DoNotOptimize(key);
    }
}
BENCHMARK(BM_OpenSslPbkdf2)->Unit(benchmark::kMillisecond);

}  // namespace
