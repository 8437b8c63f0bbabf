#include "wifimodule/sha1.h"

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
    StoreBigEndianWords(m_state, digest, 5);
    Start();  // ready for the next message; nothing of this one is left behind
}

namespace {

// The step functions and constants of the four rounds of twenty steps.
struct Choose {
    static constexpr std::uint32_t kK = 0x5A827999;
    static std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) {
        return d ^ (b & (c ^ d));
    }
};
template <std::uint32_t K>
struct Parity {
    static constexpr std::uint32_t kK = K;
    static std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return b ^ c ^ d; }
};
struct Majority {
    static constexpr std::uint32_t kK = 0x8F1BBCDC;
    static std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) {
        return (b & c) | (d & (b | c));
    }
};

// Word t of the message schedule, kept in a ring of sixteen.
inline std::uint32_t ScheduleWord(std::uint32_t (&w)[16], int t) {
    if (t >= 16) {
        w[t & 15] = Rotl(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
    }
    return w[t & 15];
}

// One step. Instead of moving every variable along, the callers rename them: the new a is
// written into e, and b becomes the next step's c.
template <class Round>
inline void Step(std::uint32_t a, std::uint32_t& b, std::uint32_t c, std::uint32_t d,
                 std::uint32_t& e, std::uint32_t word) {
    e += Rotl(a, 5) + Round::F(b, c, d) + Round::kK + word;
    b = Rotl(b, 30);
}

// Five steps from step t on, after which the names are back where they started.
template <class Round>
inline void FiveSteps(std::uint32_t& a, std::uint32_t& b, std::uint32_t& c, std::uint32_t& d,
                      std::uint32_t& e, std::uint32_t (&w)[16], int t) {
    Step<Round>(a, b, c, d, e, ScheduleWord(w, t));
    Step<Round>(e, a, b, c, d, ScheduleWord(w, t + 1));
    Step<Round>(d, e, a, b, c, ScheduleWord(w, t + 2));
    Step<Round>(c, d, e, a, b, ScheduleWord(w, t + 3));
    Step<Round>(b, c, d, e, a, ScheduleWord(w, t + 4));
}

}  // namespace

void Sha1::CompressWords(std::uint32_t (&state)[5], std::uint32_t (&w)[16]) {
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3], e = state[4];
    // Written out, so every step's schedule index is a constant.
    FiveSteps<Choose>(a, b, c, d, e, w, 0);
    FiveSteps<Choose>(a, b, c, d, e, w, 5);
    FiveSteps<Choose>(a, b, c, d, e, w, 10);
    FiveSteps<Choose>(a, b, c, d, e, w, 15);
    FiveSteps<Parity<0x6ED9EBA1>>(a, b, c, d, e, w, 20);
    FiveSteps<Parity<0x6ED9EBA1>>(a, b, c, d, e, w, 25);
    FiveSteps<Parity<0x6ED9EBA1>>(a, b, c, d, e, w, 30);
    FiveSteps<Parity<0x6ED9EBA1>>(a, b, c, d, e, w, 35);
    FiveSteps<Majority>(a, b, c, d, e, w, 40);
    FiveSteps<Majority>(a, b, c, d, e, w, 45);
    FiveSteps<Majority>(a, b, c, d, e, w, 50);
    FiveSteps<Majority>(a, b, c, d, e, w, 55);
    FiveSteps<Parity<0xCA62C1D6>>(a, b, c, d, e, w, 60);
    FiveSteps<Parity<0xCA62C1D6>>(a, b, c, d, e, w, 65);
    FiveSteps<Parity<0xCA62C1D6>>(a, b, c, d, e, w, 70);
    FiveSteps<Parity<0xCA62C1D6>>(a, b, c, d, e, w, 75);
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
}

void Sha1::CompressBlock(std::uint32_t (&state)[5], const std::uint8_t* block,
                         std::uint32_t (&w)[16]) {
    LoadBigEndianWords(block, w, 16);
    CompressWords(state, w);
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

// The final block of a hash over one 64-byte pad block and a 20-byte message, as words: the
// message, the 0x80 marker, zeros and the bit length (84 bytes = 672 bits).
void FinalBlockOf20(const std::uint32_t (&message)[5], std::uint32_t (&w)[16]) {
    for (int i = 0; i < 5; ++i) {
        w[i] = message[i];
    }
    w[5] = 0x80000000;
    for (int i = 6; i < 15; ++i) {
        w[i] = 0;
    }
    w[15] = (kSha1BlockSize + kSha1DigestSize) * 8;
}

}  // namespace

void HmacSha1::Mac20(const std::uint32_t (&in)[5], std::uint32_t (&out)[5],
                     Sha1Scratch& scratch) const {
    FinalBlockOf20(in, scratch.schedule);
    std::memcpy(scratch.state, m_inner.State(), sizeof(scratch.state));
    Sha1::CompressWords(scratch.state, scratch.schedule);
    FinalBlockOf20(scratch.state, scratch.schedule);
    std::memcpy(out, m_outer.State(), sizeof(out));
    Sha1::CompressWords(out, scratch.schedule);
}

}  // namespace tarvek
