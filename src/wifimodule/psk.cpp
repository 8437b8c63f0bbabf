#include "wifimodule/psk.h"

#include <algorithm>
#include <cstring>

namespace tarvek {
namespace {

constexpr std::size_t kMaxSalt = 60;

std::size_t BoundedLength(const char* text, std::size_t limit) {
    std::size_t n = 0;
    while (text != nullptr && n < limit && text[n] != '\0') {
        ++n;
    }
    return n;
}

}  // namespace

void Pbkdf2Sha1Block(const std::uint8_t* password, std::size_t passwordLength,
                     const std::uint8_t* salt, std::size_t saltLength, int iterations,
                     std::uint32_t blockNumber, std::uint8_t (&out)[kSha1DigestSize]) {
    const HmacSha1 prf(password, passwordLength);
    std::uint8_t first[kMaxSalt + 4] = {};
    saltLength = std::min(saltLength, kMaxSalt);
    if (saltLength > 0) {
        std::memcpy(first, salt, saltLength);
    }
    for (int i = 0; i < 4; ++i) {
        first[saltLength + i] = static_cast<std::uint8_t>(blockNumber >> (24 - 8 * i));
    }
    prf.Mac(first, saltLength + 4, out);
    // The further iterations run on words: U_j and their sum T stay in the hash's own form.
    std::uint32_t u[5];
    std::uint32_t sum[5];
    LoadBigEndianWords(out, u, 5);
    std::memcpy(sum, u, sizeof(sum));
    Sha1Scratch scratch;
    for (int j = 1; j < iterations; ++j) {
        prf.Mac20(u, u, scratch);
        for (int i = 0; i < 5; ++i) {
            sum[i] ^= u[i];
        }
    }
    StoreBigEndianWords(sum, out, 5);
    WipeSecret(u, sizeof(u));
    WipeSecret(sum, sizeof(sum));
    WipeSecret(first, sizeof(first));
}

void Pbkdf2Sha1(const std::uint8_t* password, std::size_t passwordLength, const std::uint8_t* salt,
                std::size_t saltLength, int iterations, std::uint8_t* out, std::size_t outLength) {
    std::uint8_t block[kSha1DigestSize];
    for (std::uint32_t i = 1; outLength > 0; ++i) {
        Pbkdf2Sha1Block(password, passwordLength, salt, saltLength, iterations, i, block);
        const std::size_t n = std::min(outLength, kSha1DigestSize);
        std::memcpy(out, block, n);
        out += n;
        outLength -= n;
    }
    WipeSecret(block, sizeof(block));
}

Psk DerivePsk(const char* passphrase, const char* ssid) {
    std::uint8_t pass[kWpaTextField + 1] = {};
    std::uint8_t salt[kWpaTextField + 1] = {};
    const std::size_t passLength = BoundedLength(passphrase, kWpaTextField);
    const std::size_t saltLength = BoundedLength(ssid, kWpaTextField);
    if (passLength > 0) {
        std::memcpy(pass, passphrase, passLength);
    }
    if (saltLength > 0) {
        std::memcpy(salt, ssid, saltLength);
    }
    std::uint8_t blocks[2 * kSha1DigestSize];
    Pbkdf2Sha1(pass, passLength, salt, saltLength, kPskIterations, blocks, sizeof(blocks));
    Psk psk;
    std::copy(blocks, blocks + psk.size(), psk.begin());
    WipeSecret(blocks, sizeof(blocks));
    WipeSecret(pass, sizeof(pass));
    return psk;
}

}  // namespace tarvek
