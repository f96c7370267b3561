#pragma once
// The lines of a measurement file, kept in one buffer. A large file has a
// million lines; one allocation per line would double the memory of a run, and
// so would positions of 16 bytes: a line costs its bytes and 8 more. Lines may
// hold any byte, zero bytes included; the store holds up to 4 GiB.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

class LineStore {
public:
    size_t size() const { return m_spans.size(); }
    bool empty() const { return m_spans.empty(); }
    std::string_view operator[](size_t k) const;
    std::string_view back() const { return (*this)[size() - 1]; }

    void push_back(std::string_view line);
    // Replaces line k; the text may be a view into this store.
    void Set(size_t k, std::string_view text);
    void clear();
    void reserve(size_t lines, size_t bytes);
    // Drops the space that replaced lines left behind.
    void Compact();
    // All lines, each followed by the given terminator.
    std::string Joined(std::string_view terminator) const;
    std::vector<std::string> ToVector() const;

private:
    struct Span {
        uint32_t offset;
        uint32_t length;
    };
    void Append(std::string_view text, Span& span);
    std::string m_bytes;
    std::vector<Span> m_spans;
};

}  // namespace kurvex
