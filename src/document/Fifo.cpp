#include "document/Fifo.h"

namespace kurvex {

bool CFifo::SetCapacity(int capacity)
{
    if (capacity > kMaxSlots || capacity < 0)
        return false;
    m_capacity = capacity;
    m_slots.fill(std::string());
    return true;
}

void CFifo::Push(const std::string& text)
{
    if (m_capacity <= 0)
        return;
    for (int i = m_capacity - 1; i >= 1; --i)
        m_slots[i] = m_slots[i - 1];
    m_slots[0] = text;
}

std::string CFifo::Get(int i) const
{
    return (i >= 0 && i < kMaxSlots) ? m_slots[i] : std::string();
}

}  // namespace kurvex
