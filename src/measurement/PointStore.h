#pragma once
// The points of a run, kept column by column. A device run of 100 km has a
// million points; as MESSUNG records they would take 64 bytes each, most of it
// an empty comment, a speed that was never recorded and a limit that is not
// set. Here a point costs its value and station (8 bytes); the lane width,
// which changes a few times in a run, is kept as stretches of equal width;
// limits and speeds take room only once some point has one, comments only
// where they are. Reading a point gives a MESSUNG by value.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "measurement/Messung.h"

namespace kurvex {

// A column of numbers that mostly repeat the one before: kept as stretches of
// equal numbers while there are few of them, as one number per point otherwise.
class StretchColumn {
public:
    size_t size() const { return m_size; }
    int32_t operator[](size_t i) const
    {
        if (m_isPlain)
            return m_plain[i];
        // Most runs keep one lane width throughout.
        if (m_stretches.size() == 1)
            return m_stretches.front().value;
        return InStretches(i);
    }
    void push_back(int32_t value);
    void Set(size_t i, int32_t value);
    void reserve(size_t n);
    void Reverse();

private:
    // More stretches than this, and the column keeps a number per point.
    static constexpr size_t kMaxStretches = 1024;
    struct Stretch {
        size_t first;
        int32_t value;
    };
    void MakePlain();
    int32_t InStretches(size_t i) const;

    std::vector<Stretch> m_stretches;  // while m_plain is not used
    std::vector<int32_t> m_plain;
    bool m_isPlain = false;
    size_t m_size = 0;
    size_t m_reserved = 0;
};

class PointStore {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = MESSUNG;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = MESSUNG;

        const_iterator() = default;
        const_iterator(const PointStore* store, size_t i) : m_store(store), m_i(i) {}
        MESSUNG operator*() const { return (*m_store)[m_i]; }
        const_iterator& operator++() { ++m_i; return *this; }
        const_iterator operator++(int) { const_iterator before = *this; ++m_i; return before; }
        const_iterator& operator--() { --m_i; return *this; }
        const_iterator& operator+=(difference_type n) { m_i += static_cast<size_t>(n); return *this; }
        const_iterator operator+(difference_type n) const { return const_iterator(m_store, m_i + static_cast<size_t>(n)); }
        difference_type operator-(const const_iterator& other) const
        {
            return static_cast<difference_type>(m_i) - static_cast<difference_type>(other.m_i);
        }
        bool operator==(const const_iterator& other) const { return m_i == other.m_i; }
        bool operator!=(const const_iterator& other) const { return m_i != other.m_i; }

    private:
        const PointStore* m_store = nullptr;
        size_t m_i = 0;
    };

    // --- Reading points ------------------------------------------------------
    size_t size() const { return m_stations.size(); }
    bool empty() const { return m_stations.empty(); }
    MESSUNG operator[](size_t i) const;
    MESSUNG front() const { return (*this)[0]; }
    MESSUNG back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    int32_t Value(size_t i) const { return m_values[i]; }
    int32_t Station(size_t i) const { return m_stations[i]; }
    int32_t Width(size_t i) const { return m_widths[i]; }
    int32_t Limit(size_t i) const { return m_limits.empty() ? kNoLimit : m_limits[i]; }
    double Speed(size_t i) const { return m_speeds.empty() ? kNoSpeed : m_speeds[i]; }
    bool HasSpeeds() const { return !m_speeds.empty(); }
    bool HasComment(size_t i) const;
    // The comment text of point i; empty when it has none.
    const std::string& Comment(size_t i) const;
    // Positions of the points in [first, last) that have hasComment set, in order.
    std::vector<size_t> CommentedPoints(size_t first, size_t last) const;
    // Positions of the points in [first, last) whose comment text is not empty.
    std::vector<size_t> PointsWithCommentText(size_t first, size_t last) const;

    // --- Building and changing -----------------------------------------------
    void reserve(size_t n);
    void push_back(const MESSUNG& point);
    // Replaces point i as a whole.
    void Set(size_t i, const MESSUNG& point);
    void SetStation(size_t i, int32_t station) { m_stations[i] = station; }
    // Drops every point and the memory they took.
    void clear();
    // The points in reverse order.
    void Reverse();

private:
    static constexpr int32_t kNoLimit = -1;
    static constexpr double kNoSpeed = -1.0;

    struct CommentEntry {
        size_t index;
        bool hasComment;
        std::string text;
    };
    // The entry of point i, or nullptr.
    const CommentEntry* FindComment(size_t i) const;
    void SetComment(size_t i, bool hasComment, const std::string& text);
    void SetLimit(size_t i, int32_t limit);
    void SetSpeed(size_t i, double speed);

    std::vector<int32_t> m_values;
    std::vector<int32_t> m_stations;
    StretchColumn m_widths;
    std::vector<int32_t> m_limits;  // empty while every limit is kNoLimit
    std::vector<double> m_speeds;   // empty while every speed is kNoSpeed
    // Points with a comment text or the comment flag, ordered by index.
    std::vector<CommentEntry> m_comments;
    size_t m_reserved = 0;
};

}  // namespace kurvex
