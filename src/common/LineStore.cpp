#include "common/LineStore.h"

#include <cstring>

namespace kurvex {

std::string_view LineStore::operator[](size_t k) const
{
    const Span& span = m_spans[k];
    return std::string_view(m_bytes.data() + span.offset, span.length);
}

void LineStore::push_back(std::string_view line)
{
    const bool aliases = !m_bytes.empty() && line.data() >= m_bytes.data()
                         && line.data() < m_bytes.data() + m_bytes.size();
    if (aliases) {
        const std::string copy(line);
        push_back(copy);
        return;
    }
    m_spans.push_back({m_bytes.size(), line.size()});
    m_bytes.append(line.data(), line.size());
}

void LineStore::Set(size_t k, std::string_view text)
{
    Span& span = m_spans[k];
    if (text.size() <= span.length) {
        // memmove: the new text may overlap the old one.
        if (!text.empty())
            std::memmove(m_bytes.data() + span.offset, text.data(), text.size());
        span.length = text.size();
        return;
    }
    const bool aliases = !m_bytes.empty() && text.data() >= m_bytes.data()
                         && text.data() < m_bytes.data() + m_bytes.size();
    const std::string copy = aliases ? std::string(text) : std::string();
    const std::string_view source = aliases ? std::string_view(copy) : text;
    span.offset = m_bytes.size();
    span.length = source.size();
    m_bytes.append(source.data(), source.size());
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
        const size_t offset = bytes.size();
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
