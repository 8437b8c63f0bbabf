// SHA-1 (FIPS 180-1) and HMAC-SHA1 (RFC 2104): small, allocation-free routines for the WPA
// key derivation. Every object wipes its state when it goes away, since it may have held key
// material.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvek {

inline constexpr std::size_t kSha1DigestSize = 20;
inline constexpr std::size_t kSha1BlockSize = 64;

// Overwrites memory in a way the compiler may not drop.
void WipeSecret(void* memory, std::size_t size);

// SHA-1's words are big-endian.
inline void LoadBigEndianWords(const std::uint8_t* bytes, std::uint32_t* words, int count) {
    for (int i = 0; i < count; ++i) {
        words[i] = (std::uint32_t{bytes[4 * i]} << 24) | (std::uint32_t{bytes[4 * i + 1]} << 16) |
                   (std::uint32_t{bytes[4 * i + 2]} << 8) | std::uint32_t{bytes[4 * i + 3]};
    }
}
inline void StoreBigEndianWords(const std::uint32_t* words, std::uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        for (int b = 0; b < 4; ++b) {
            bytes[4 * i + b] = static_cast<std::uint8_t>(words[i] >> (24 - 8 * b));
        }
    }
}

class Sha1 {
  public:
    Sha1() { Start(); }
    ~Sha1() { WipeSecret(this, sizeof(*this)); }
    Sha1(const Sha1&) = default;
    Sha1& operator=(const Sha1&) = default;

    void Start();
    // Bytes are taken one by one; each 64-byte block is compressed as its last byte arrives.
    void Add(const std::uint8_t* bytes, std::size_t count);
    void Finish(std::uint8_t (&digest)[kSha1DigestSize]);

    // The chaining state after whole blocks (for the HMAC fast path below).
    const std::uint32_t* State() const { return m_state; }
    // One compression of a 64-byte block into a chaining state; the message schedule is kept
    // in the caller's buffer, so the caller wipes it once when its work is done.
    static void CompressBlock(std::uint32_t (&state)[5], const std::uint8_t* block,
                              std::uint32_t (&schedule)[16]);
    // The same with the block as sixteen big-endian words, which become the schedule.
    static void CompressWords(std::uint32_t (&state)[5], std::uint32_t (&words)[16]);

  private:
    std::uint32_t m_state[5];
    std::uint8_t m_block[kSha1BlockSize];
    std::uint32_t m_schedule[16];
    std::size_t m_nFill;
    std::uint64_t m_nTotalBytes;
};

void Sha1Of(const std::uint8_t* bytes, std::size_t count, std::uint8_t (&digest)[kSha1DigestSize]);

// HMAC-SHA1 with the key's inner and outer pad blocks hashed once, so each further MAC costs
// only the message's blocks and one more block (RFC 2104, section 4).
// The working buffers of Mac20, owned (and wiped once) by a caller that runs many MACs.
struct Sha1Scratch {
    std::uint32_t state[5];
    std::uint32_t schedule[16];
    ~Sha1Scratch() { WipeSecret(this, sizeof(*this)); }
};

class HmacSha1 {
  public:
    HmacSha1(const std::uint8_t* key, std::size_t keyLength);
    void Mac(const std::uint8_t* message, std::size_t count,
             std::uint8_t (&mac)[kSha1DigestSize]) const;
    // The MAC of a 20-byte message (a previous MAC), both as five big-endian words: two
    // compressions in all, since both hashes then fit one final block. in and out may be the
    // same buffer.
    void Mac20(const std::uint32_t (&in)[5], std::uint32_t (&out)[5], Sha1Scratch& scratch) const;

  private:
    Sha1 m_inner;
    Sha1 m_outer;
};

}  // namespace tarvek
