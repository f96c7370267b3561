#include "common/LineStore.h"

#include <cstring>
#include <limits>

namespace kurvex {

namespace {

constexpr size_t kMaxBytes = std::numeric_limits<uint32_t>::max();

bool PointsInto(const std::string& bytes, std::string_view text)
{
    return !bytes.empty() && text.data() >= bytes.data() && text.data() < bytes.data() + bytes.size();
}

}  // namespace

std::string_view LineStore::operator[](size_t k) const
{
    const Span& span = m_spans[k];
    return std::string_view(m_bytes.data() + span.offset, span.length);
}

void LineStore::Append(std::string_view text, Span& span)
{
    // Positions are 32 bits: a store never holds more than a measurement file
    // (at most 2 GiB) and a few rewritten lines. Past that a line stays empty.
    if (m_bytes.size() + text.size() > kMaxBytes) {
        span = Span{0, 0};
        return;
    }
    span = Span{static_cast<uint32_t>(m_bytes.size()), static_cast<uint32_t>(text.size())};
    m_bytes.append(text.data(), text.size());
}

void LineStore::push_back(std::string_view line)
{
    if (PointsInto(m_bytes, line)) {
        const std::string copy(line);
        push_back(copy);
        return;
    }
    Span span{};
    Append(line, span);
    m_spans.push_back(span);
}

void LineStore::Set(size_t k, std::string_view text)
{
    Span& span = m_spans[k];
    if (text.size() <= span.length) {
        // memmove: the new text may overlap the old one.
        if (!text.empty())
            std::memmove(m_bytes.data() + span.offset, text.data(), text.size());
        span.length = static_cast<uint32_t>(text.size());
        return;
    }
    if (PointsInto(m_bytes, text)) {
        const std::string copy(text);
        Append(copy, span);
        return;
    }
    Append(text, span);
}

void LineStore::clear()
{
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_spans.clear();
    m_spans.shrink_to_fit();
}

void LineStore::reserve(size_t lines, size_t bytes)
{
    m_spans.reserve(lines);
    m_bytes.reserve(bytes);
}

void LineStore::Compact()
{
    size_t used = 0;
    for (const Span& span : m_spans)
        used += span.length;
    if (used == m_bytes.size() && m_spans.capacity() == m_spans.size())
        return;
    std::string bytes;
    bytes.reserve(used);
    for (Span& span : m_spans) {
        const auto offset = static_cast<uint32_t>(bytes.size());
        bytes.append(m_bytes.data() + span.offset, span.length);
        span.offset = offset;
    }
    m_bytes = std::move(bytes);
    m_spans.shrink_to_fit();
}

std::string LineStore::Joined(std::string_view terminator) const
{
    size_t total = 0;
    for (const Span& span : m_spans)
        total += span.length + terminator.size();
    std::string text;
    text.reserve(total);
    for (size_t k = 0; k < size(); ++k) {
        text += (*this)[k];
        text += terminator;
    }
    return text;
}

std::vector<std::string> LineStore::ToVector() const
{
    std::vector<std::string> lines;
    lines.reserve(size());
    for (size_t k = 0; k < size(); ++k)
        lines.emplace_back((*this)[k]);
    return lines;
}

}  // namespace kurvex
