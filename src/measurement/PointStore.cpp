#include "measurement/PointStore.h"

#include <algorithm>

namespace kurvex {

namespace {

const std::string kNoComment;

}  // namespace

int32_t StretchColumn::InStretches(size_t i) const
{
    // The last stretch beginning at or before i.
    const auto it = std::upper_bound(m_stretches.begin(), m_stretches.end(), i,
                                     [](size_t index, const Stretch& stretch) { return index < stretch.first; });
    return (it - 1)->value;
}

void StretchColumn::push_back(int32_t value)
{
    if (m_isPlain) {
        m_plain.push_back(value);
    } else if (m_stretches.empty() || m_stretches.back().value != value) {
        m_stretches.push_back(Stretch{m_size, value});
        if (m_stretches.size() > kMaxStretches) {
            ++m_size;
            MakePlain();
            return;
        }
    }
    ++m_size;
}

void StretchColumn::Set(size_t i, int32_t value)
{
    if ((*this)[i] == value)
        return;
    MakePlain();
    m_plain[i] = value;
}

void StretchColumn::reserve(size_t n)
{
    m_reserved = std::max(m_reserved, n);
    if (m_isPlain)
        m_plain.reserve(n);
}

void StretchColumn::Reverse()
{
    if (m_isPlain) {
        std::reverse(m_plain.begin(), m_plain.end());
        return;
    }
    // Stretch k covers [first, end); reversed it covers [size - end, size - first).
    std::vector<Stretch> reversed;
    reversed.reserve(m_stretches.size());
    for (size_t k = m_stretches.size(); k-- > 0;) {
        const size_t end = k + 1 < m_stretches.size() ? m_stretches[k + 1].first : m_size;
        reversed.push_back(Stretch{m_size - end, m_stretches[k].value});
    }
    m_stretches = std::move(reversed);
}

void StretchColumn::MakePlain()
{
    if (m_isPlain)
        return;
    std::vector<int32_t> plain;
    plain.reserve(std::max(m_reserved, m_size));
    for (size_t k = 0; k < m_stretches.size(); ++k) {
        const size_t end = k + 1 < m_stretches.size() ? m_stretches[k + 1].first : m_size;
        plain.insert(plain.end(), end - m_stretches[k].first, m_stretches[k].value);
    }
    m_plain = std::move(plain);
    m_stretches = std::vector<Stretch>();
    m_isPlain = true;
}

MESSUNG PointStore::operator[](size_t i) const
{
    MESSUNG point;
    point.value = m_values[i];
    point.station = m_stations[i];
    point.width = m_widths[i];
    point.limit = Limit(i);
    point.speed = Speed(i);
    if (const CommentEntry* entry = FindComment(i)) {
        point.hasComment = entry->hasComment;
        point.comment = entry->text;
    }
    return point;
}

const PointStore::CommentEntry* PointStore::FindComment(size_t i) const
{
    const auto it = std::lower_bound(m_comments.begin(), m_comments.end(), i,
                                     [](const CommentEntry& entry, size_t index) { return entry.index < index; });
    return it != m_comments.end() && it->index == i ? &*it : nullptr;
}

bool PointStore::HasComment(size_t i) const
{
    const CommentEntry* entry = FindComment(i);
    return entry != nullptr && entry->hasComment;
}

const std::string& PointStore::Comment(size_t i) const
{
    const CommentEntry* entry = FindComment(i);
    return entry != nullptr ? entry->text : kNoComment;
}

std::vector<size_t> PointStore::CommentedPoints(size_t first, size_t last) const
{
    std::vector<size_t> points;
    auto it = std::lower_bound(m_comments.begin(), m_comments.end(), first,
                               [](const CommentEntry& entry, size_t index) { return entry.index < index; });
    for (; it != m_comments.end() && it->index < last; ++it) {
        if (it->hasComment)
            points.push_back(it->index);
    }
    return points;
}

std::vector<size_t> PointStore::PointsWithCommentText(size_t first, size_t last) const
{
    std::vector<size_t> points;
    auto it = std::lower_bound(m_comments.begin(), m_comments.end(), first,
                               [](const CommentEntry& entry, size_t index) { return entry.index < index; });
    for (; it != m_comments.end() && it->index < last; ++it) {
        if (!it->text.empty())
            points.push_back(it->index);
    }
    return points;
}

void PointStore::reserve(size_t n)
{
    m_values.reserve(n);
    m_stations.reserve(n);
    m_widths.reserve(n);
    if (!m_limits.empty())
        m_limits.reserve(n);
    if (!m_speeds.empty())
        m_speeds.reserve(n);
    m_reserved = std::max(m_reserved, n);
}

void PointStore::push_back(const MESSUNG& point)
{
    const size_t i = size();
    m_values.push_back(point.value);
    m_stations.push_back(point.station);
    m_widths.push_back(point.width);
    if (!m_limits.empty() || point.limit != kNoLimit) {
        SetLimit(i, point.limit);
    }
    if (!m_speeds.empty() || point.speed != kNoSpeed)
        SetSpeed(i, point.speed);
    if (point.hasComment || !point.comment.empty())
        m_comments.push_back({i, point.hasComment, point.comment});
}

void PointStore::Set(size_t i, const MESSUNG& point)
{
    m_values[i] = point.value;
    m_stations[i] = point.station;
    m_widths.Set(i, point.width);
    if (!m_limits.empty() || point.limit != kNoLimit)
        SetLimit(i, point.limit);
    if (!m_speeds.empty() || point.speed != kNoSpeed)
        SetSpeed(i, point.speed);
    SetComment(i, point.hasComment, point.comment);
}

void PointStore::SetLimit(size_t i, int32_t limit)
{
    if (m_limits.empty()) {
        m_limits.reserve(std::max(m_reserved, size()));
        m_limits.assign(size(), kNoLimit);
    } else if (m_limits.size() < size()) {
        m_limits.resize(size(), kNoLimit);
    }
    m_limits[i] = limit;
}

void PointStore::SetSpeed(size_t i, double speed)
{
    if (m_speeds.empty()) {
        m_speeds.reserve(std::max(m_reserved, size()));
        m_speeds.assign(size(), kNoSpeed);
    } else if (m_speeds.size() < size()) {
        m_speeds.resize(size(), kNoSpeed);
    }
    m_speeds[i] = speed;
}

void PointStore::SetComment(size_t i, bool hasComment, const std::string& text)
{
    auto it = std::lower_bound(m_comments.begin(), m_comments.end(), i,
                               [](const CommentEntry& entry, size_t index) { return entry.index < index; });
    const bool found = it != m_comments.end() && it->index == i;
    if (!hasComment && text.empty()) {
        if (found)
            m_comments.erase(it);
        return;
    }
    if (found) {
        it->hasComment = hasComment;
        it->text = text;
    } else {
        m_comments.insert(it, CommentEntry{i, hasComment, text});
    }
}

void PointStore::clear()
{
    *this = PointStore();
}

void PointStore::Reverse()
{
    std::reverse(m_values.begin(), m_values.end());
    std::reverse(m_stations.begin(), m_stations.end());
    m_widths.Reverse();
    std::reverse(m_limits.begin(), m_limits.end());
    std::reverse(m_speeds.begin(), m_speeds.end());
    std::reverse(m_comments.begin(), m_comments.end());
    const size_t last = size() - 1;
    for (CommentEntry& entry : m_comments)
        entry.index = last - entry.index;
}

}  // namespace kurvex
