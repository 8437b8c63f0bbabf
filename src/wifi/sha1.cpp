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
            Compress();
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
    Start();
}

void Sha1::Compress() {
    std::uint32_t w[80];
    for (int t = 0; t < 16; ++t) {
        w[t] = (std::uint32_t{m_block[4 * t]} << 24) | (std::uint32_t{m_block[4 * t + 1]} << 16) |
               (std::uint32_t{m_block[4 * t + 2]} << 8) | std::uint32_t{m_block[4 * t + 3]};
    }
    for (int t = 16; t < 80; ++t) {
        w[t] = Rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
    }
    std::uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3], e = m_state[4];
    for (int t = 0; t < 80; ++t) {
        std::uint32_t f, k;
        if (t < 20) {
            f = (b & c) | (~b & d);
            k = 0x5A827999;
        } else if (t < 40) {
            f = b ^ c ^ d;
            k = 0x6ED9EBA1;
        } else if (t < 60) {
            f = (b & c) | (b & d) | (c & d);
            k = 0x8F1BBCDC;
        } else {
            f = b ^ c ^ d;
            k = 0xCA62C1D6;
        }
        const std::uint32_t temp = Rotl(a, 5) + f + e + k + w[t];
        e = d;
        d = c;
        c = Rotl(b, 30);
        b = a;
        a = temp;
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
    m_state[4] += e;
    WipeSecret(w, sizeof(w));
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

void HmacSha1Of(const std::uint8_t* key, std::size_t keyLength, const std::uint8_t* message,
                std::size_t count, std::uint8_t (&mac)[kSha1DigestSize]) {
    HmacSha1(key, keyLength).Mac(message, count, mac);
}

}  // namespace tarvek
