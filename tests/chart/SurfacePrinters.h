#pragma once
// Readable failure messages for the surface's small value types.

#include "common/Surface.h"

#include <ostream>

namespace kurvex {

inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const Size& s, std::ostream* os) { *os << s.cx << " x " << s.cy; }
inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const Color& c, std::ostream* os)
{
    *os << "rgb(" << int(c.red) << ", " << int(c.green) << ", " << int(c.blue) << ")";
}

}  // namespace kurvex
