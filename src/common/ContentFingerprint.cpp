#include "common/ContentFingerprint.h"

#include <cstring>

namespace kurvex {

namespace {

constexpr uint64_t kPrime = 0x100000001b3ULL;

// Little-endian whatever the machine, so a fingerprint stored on one platform holds on another.
uint64_t LoadWord(const unsigned char* bytes)
{
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    uint64_t word = 0;
    for (int i = 7; i >= 0; --i)
        word = (word << 8) | bytes[i];
    return word;
#else
    uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    return word;
#endif
}

uint64_t Mixed(uint64_t hash, uint64_t word)
{
    hash = (hash ^ word) * kPrime;
    return hash ^ (hash >> 29);
}

}  // namespace

void ContentFingerprint::AddBlock(const unsigned char* block)
{
    for (size_t lane = 0; lane < kLanes; ++lane)
        m_lanes[lane] = Mixed(m_lanes[lane], LoadWord(block + 8 * lane));
}

void ContentFingerprint::Add(std::string_view bytes)
{
    m_length += bytes.size();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t size = bytes.size();
    while (m_pendingCount > 0 && size > 0) {
        m_pending[m_pendingCount++] = *data++;
        --size;
        if (m_pendingCount == kBlock) {
            AddBlock(m_pending);
            m_pendingCount = 0;
        }
    }
    // The lanes in registers while the bulk of the bytes goes by.
    static_assert(kLanes == 4);
    uint64_t a = m_lanes[0], b = m_lanes[1], c = m_lanes[2], d = m_lanes[3];
    for (; size >= kBlock; data += kBlock, size -= kBlock) {
        a = Mixed(a, LoadWord(data));
        b = Mixed(b, LoadWord(data + 8));
        c = Mixed(c, LoadWord(data + 16));
        d = Mixed(d, LoadWord(data + 24));
    }
    m_lanes[0] = a;
    m_lanes[1] = b;
    m_lanes[2] = c;
    m_lanes[3] = d;
    for (; size > 0; --size)
        m_pending[m_pendingCount++] = *data++;
}

uint64_t ContentFingerprint::Value() const
{
    ContentFingerprint last = *this;
    if (last.m_pendingCount > 0) {
        for (size_t i = last.m_pendingCount; i < kBlock; ++i)
            last.m_pending[i] = 0;
        last.AddBlock(last.m_pending);
    }
    uint64_t h = Mixed(0, m_length);
    for (const uint64_t lane : last.m_lanes)
        h = Mixed(h, lane);
    // The final mix of MurmurHash3: every input bit reaches every output bit.
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
