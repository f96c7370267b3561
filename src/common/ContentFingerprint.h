#pragma once
// A 64-bit fingerprint of bytes fed in pieces as a file is read: equal bytes
// give equal fingerprints however they were split, and any change of a byte or
// of the length gives another one with near certainty. Not cryptographic; it
// tells a file from its edited versions, cheaply enough to run beside the read
// (8 bytes a step, FNV-1a style with a shift that carries high bits down).

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
    void AddWord(uint64_t word);

    uint64_t m_hash = 0xcbf29ce484222325ULL;
    uint64_t m_length = 0;
    unsigned char m_pending[8] = {};
    size_t m_pendingCount = 0;
};

// The fingerprint of one byte string.
uint64_t FingerprintOf(std::string_view bytes);
// 16 lower-case hexadecimal digits; and back (false for anything else).
std::string FingerprintText(uint64_t fingerprint);
bool ParseFingerprintText(std::string_view text, uint64_t& fingerprint);

}  // namespace kurvex
