#include "wifi/sha1.h"

#include <cstring>

namespace tarvek {
namespace {

std::uint32_t Rotl(std::uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

}  // namespace

void WipeSecret(void* memory, std::size_t size) {
    volatile std::uint8_t* p = static_cast<volatile std::uint8_t*>(memory);
    while (size-- > 0) {
        *p++ = 0;
    }
}

void Sha1::Start() {
    m_state[0] = 0x67452301;
    m_state[1] = 0xEFCDAB89;
    m_state[2] = 0x98BADCFE;
    m_state[3] = 0x10325476;
    m_state[4] = 0xC3D2E1F0;
    std::memset(m_block, 0, sizeof(m_block));
    m_nFill = 0;
    m_nTotalBytes = 0;
}

void Sha1::Add(const std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        m_block[m_nFill++] = bytes[i];
        if (m_nFill == kSha1BlockSize) {
            CompressBlock(m_state, m_block, m_schedule);
            m_nFill = 0;
        }
    }
    m_nTotalBytes += count;
}

void Sha1::Finish(std::uint8_t (&digest)[kSha1DigestSize]) {
    const std::uint64_t bits = m_nTotalBytes * 8;
    const std::uint8_t pad = 0x80;
    Add(&pad, 1);
    const std::uint8_t zero = 0;
    while (m_nFill != kSha1BlockSize - 8) {
        Add(&zero, 1);
    }
    std::uint8_t length[8];
    for (int i = 0; i < 8; ++i) {
        length[i] = static_cast<std::uint8_t>(bits >> (56 - 8 * i));
    }
    Add(length, 8);
    for (int i = 0; i < 5; ++i) {
        for (int b = 0; b < 4; ++b) {
            digest[4 * i + b] = static_cast<std::uint8_t>(m_state[i] >> (24 - 8 * b));
        }
    }
    Start();  // ready for the next message; nothing of this one is left behind
}

void Sha1::CompressBlock(std::uint32_t (&state)[5], const std::uint8_t* block,
                         std::uint32_t (&w)[16]) {
    for (int t = 0; t < 16; ++t) {
        w[t] = (std::uint32_t{block[4 * t]} << 24) | (std::uint32_t{block[4 * t + 1]} << 16) |
               (std::uint32_t{block[4 * t + 2]} << 8) | std::uint32_t{block[4 * t + 3]};
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    // The four rounds of twenty steps, each with its own function and constant.
    auto step = [&](int t, std::uint32_t f, std::uint32_t k) {
        if (t >= 16) {
            w[t & 15] = Rotl(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
        }
        const std::uint32_t temp = Rotl(a, 5) + f + e + k + w[t & 15];
        e = d;
        d = c;
        c = Rotl(b, 30);
        b = a;
        a = temp;
    };
    for (int t = 0; t < 20; ++t) {
        step(t, (b & c) | (~b & d), 0x5A827999);
    }
    for (int t = 20; t < 40; ++t) {
        step(t, b ^ c ^ d, 0x6ED9EBA1);
    }
    for (int t = 40; t < 60; ++t) {
        step(t, (b & c) | (b & d) | (c & d), 0x8F1BBCDC);
    }
    for (int t = 60; t < 80; ++t) {
        step(t, b ^ c ^ d, 0xCA62C1D6);
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

void Sha1Of(const std::uint8_t* bytes, std::size_t count, std::uint8_t (&digest)[kSha1DigestSize]) {
    Sha1 sha;
    sha.Add(bytes, count);
    sha.Finish(digest);
}

HmacSha1::HmacSha1(const std::uint8_t* key, std::size_t keyLength) {
    std::uint8_t block[kSha1BlockSize] = {};
    if (keyLength > kSha1BlockSize) {
        std::uint8_t digest[kSha1DigestSize];
        Sha1Of(key, keyLength, digest);
        std::memcpy(block, digest, sizeof(digest));
        WipeSecret(digest, sizeof(digest));
    } else if (keyLength > 0) {
        std::memcpy(block, key, keyLength);
    }
    std::uint8_t pad[kSha1BlockSize];
    for (std::size_t i = 0; i < kSha1BlockSize; ++i) {
        pad[i] = block[i] ^ 0x36;
    }
    m_inner.Add(pad, sizeof(pad));
    for (std::size_t i = 0; i < kSha1BlockSize; ++i) {
        pad[i] = block[i] ^ 0x5C;
    }
    m_outer.Add(pad, sizeof(pad));
    WipeSecret(pad, sizeof(pad));
    WipeSecret(block, sizeof(block));
}

void HmacSha1::Mac(const std::uint8_t* message, std::size_t count,
                   std::uint8_t (&mac)[kSha1DigestSize]) const {
    Sha1 inner = m_inner;
    inner.Add(message, count);
    std::uint8_t innerDigest[kSha1DigestSize];
    inner.Finish(innerDigest);
    Sha1 outer = m_outer;
    outer.Add(innerDigest, sizeof(innerDigest));
    outer.Finish(mac);
    WipeSecret(innerDigest, sizeof(innerDigest));
}

namespace {

// The final block of a hash over one 64-byte pad block and a 20-byte message: the message,
// the 0x80 marker, zeros and the bit length (84 bytes = 672 bits).
void FinalBlockOf20(const std::uint8_t* message, std::uint8_t (&block)[kSha1BlockSize]) {
    std::memcpy(block, message, kSha1DigestSize);
    block[kSha1DigestSize] = 0x80;
    std::memset(block + kSha1DigestSize + 1, 0, kSha1BlockSize - kSha1DigestSize - 1);
    const std::uint32_t bits = (kSha1BlockSize + kSha1DigestSize) * 8;
    block[62] = static_cast<std::uint8_t>(bits >> 8);
    block[63] = static_cast<std::uint8_t>(bits);
}

void DigestOf(const std::uint32_t (&state)[5], std::uint8_t (&digest)[kSha1DigestSize]) {
    for (int i = 0; i < 5; ++i) {
        for (int b = 0; b < 4; ++b) {
            digest[4 * i + b] = static_cast<std::uint8_t>(state[i] >> (24 - 8 * b));
        }
    }
}

}  // namespace

void HmacSha1::Mac20(const std::uint8_t* in, std::uint8_t (&out)[kSha1DigestSize],
                     Sha1Scratch& scratch) const {
    FinalBlockOf20(in, scratch.block);
    std::memcpy(scratch.state, m_inner.State(), sizeof(scratch.state));
    Sha1::CompressBlock(scratch.state, scratch.block, scratch.schedule);
    DigestOf(scratch.state, scratch.digest);
    FinalBlockOf20(scratch.digest, scratch.block);
    std::memcpy(scratch.state, m_outer.State(), sizeof(scratch.state));
    Sha1::CompressBlock(scratch.state, scratch.block, scratch.schedule);
    DigestOf(scratch.state, out);
}

void HmacSha1Of(const std::uint8_t* key, std::size_t keyLength, const std::uint8_t* message,
                std::size_t count, std::uint8_t (&mac)[kSha1DigestSize]) {
    HmacSha1(key, keyLength).Mac(message, count, mac);
}

}  // namespace tarvek
