#include "common/ContentFingerprint.h"

namespace kurvex {

namespace {

constexpr uint64_t kPrime = 0x100000001b3ULL;

// Little-endian whatever the machine, so a fingerprint stored on one platform holds on another.
uint64_t LoadWord(const unsigned char* bytes)
{
    uint64_t word = 0;
    for (int i = 7; i >= 0; --i)
        word = (word << 8) | bytes[i];
    return word;
}

}  // namespace

void ContentFingerprint::AddWord(uint64_t word)
{
    m_hash = (m_hash ^ word) * kPrime;
    m_hash ^= m_hash >> 29;
}

void ContentFingerprint::Add(std::string_view bytes)
{
    m_length += bytes.size();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t size = bytes.size();
    while (m_pendingCount > 0 && size > 0) {
        m_pending[m_pendingCount++] = *data++;
        --size;
        if (m_pendingCount == 8) {
            AddWord(LoadWord(m_pending));
            m_pendingCount = 0;
        }
    }
    for (; size >= 8; data += 8, size -= 8)
        AddWord(LoadWord(data));
    for (; size > 0; --size)
        m_pending[m_pendingCount++] = *data++;
}

uint64_t ContentFingerprint::Value() const
{
    ContentFingerprint last = *this;
    if (last.m_pendingCount > 0) {
        unsigned char tail[8] = {};
        for (size_t i = 0; i < last.m_pendingCount; ++i)
            tail[i] = last.m_pending[i];
        last.AddWord(LoadWord(tail));
    }
    last.AddWord(m_length);
    // The final mix of MurmurHash3: every input bit reaches every output bit.
    uint64_t h = last.m_hash;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

uint64_t FingerprintOf(std::string_view bytes)
{
    ContentFingerprint fingerprint;
    fingerprint.Add(bytes);
    return fingerprint.Value();
}

std::string FingerprintText(uint64_t fingerprint)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, fingerprint >>= 4)
        text[static_cast<size_t>(i)] = kDigits[fingerprint & 0xF];
    return text;
}

bool ParseFingerprintText(std::string_view text, uint64_t& fingerprint)
{
    if (text.size() != 16)
        return false;
    uint64_t value = 0;
    for (const char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return false;
        value = (value << 4) | static_cast<uint64_t>(digit);
    }
    fingerprint = value;
    return true;
}

}  // namespace kurvex
