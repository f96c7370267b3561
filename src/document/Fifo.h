#pragma once
// A short first-in-first-out list of texts: the document keeps the last two
// stations picked in the chart in one (slot 0 is the newest).

#include <array>
#include <string>

namespace kurvex {

class CFifo {
public:
    static constexpr int kMaxSlots = 10;

    // Empties all slots; a capacity above ten is refused and the old one kept.
    bool SetCapacity(int capacity);
    int Capacity() const { return m_capacity; }
    // The oldest text falls out.
    void Push(const std::string& text);
    // The text of slot i; empty for a slot outside the list.
    std::string Get(int i) const;

private:
    std::array<std::string, kMaxSlots> m_slots;
    int m_capacity = 0;
};

}  // namespace kurvex
