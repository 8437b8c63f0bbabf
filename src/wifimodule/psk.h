// The WPA pre-shared key of a passphrase and an SSID: PBKDF2 (RFC 2898) with HMAC-SHA1,
// 4096 iterations, 32 bytes (IEEE 802.11i-2004, Annex H.4).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "wifimodule/sha1.h"

namespace tarvek {

using Psk = std::array<std::uint8_t, 32>;

inline constexpr int kPskIterations = 4096;
// The longest SSID and passphrase the module's registers carry.
inline constexpr std::size_t kWpaTextField = 32;

// One PBKDF2 output block: T_i = U_1 xor ... xor U_c, with U_1 = PRF(P, S || INT(i)) and
// U_j = PRF(P, U_{j-1}). The salt is at most 32 bytes here (an SSID).
void Pbkdf2Sha1Block(const std::uint8_t* password, std::size_t passwordLength,
                     const std::uint8_t* salt, std::size_t saltLength, int iterations,
                     std::uint32_t blockNumber, std::uint8_t (&out)[kSha1DigestSize]);

// PBKDF2-HMAC-SHA1 into out (any length); the salt is at most 60 bytes.
void Pbkdf2Sha1(const std::uint8_t* password, std::size_t passwordLength, const std::uint8_t* salt,
                std::size_t saltLength, int iterations, std::uint8_t* out, std::size_t outLength);

// The key of the module's register 09 05. Each text is taken up to its first zero byte and at
// most 32 bytes (characters from the 33rd on never reach the computation).
Psk DerivePsk(const char* passphrase, const char* ssid);

}  // namespace tarvek
