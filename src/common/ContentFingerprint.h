#pragma once
// A 64-bit fingerprint of bytes fed in pieces as a file is read: equal bytes
// give equal fingerprints however they were split, and any change of a byte or
// of the length gives another one with near certainty. Not cryptographic; it
// tells a file from its edited versions, cheaply enough to run beside the read
// (FNV-1a style over 8-byte words in four lanes, with a shift that carries
// high bits down, and a final mix).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kurvex {

class ContentFingerprint {
public:
    void Add(std::string_view bytes);
    void Reset() { *this = ContentFingerprint(); }
    // The fingerprint of everything added so far.
    uint64_t Value() const;

private:
    static constexpr size_t kLanes = 4;
    static constexpr size_t kBlock = 8 * kLanes;
    // Four words a step, one to each lane: the lanes do not wait for each other.
    void AddBlock(const unsigned char* block);

    uint64_t m_lanes[kLanes] = {0xcbf29ce484222325ULL, 0x84222325cbf29ce4ULL, 0x9e3779b97f4a7c15ULL,
                                0x7f4a7c159e3779b9ULL};
    uint64_t m_length = 0;
    unsigned char m_pending[kBlock] = {};
    size_t m_pendingCount = 0;
};

// The fingerprint of one byte string.
uint64_t FingerprintOf(std::string_view bytes);
// 16 lower-case hexadecimal digits; and back (false for anything else).
std::string FingerprintText(uint64_t fingerprint);
bool ParseFingerprintText(std::string_view text, uint64_t& fingerprint);

}  // namespace kurvex
