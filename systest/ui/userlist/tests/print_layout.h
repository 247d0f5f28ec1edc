// Readable failure messages for the geometry types.
#pragma once

#include "systest/ui/userlist/paint_layout.h"

#include <ostream>

inline void PrintTo(const ListRect& r, std::ostream* os) {
    *os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

inline void PrintTo(const ImagePlacement& p, std::ostream* os) {
    *os << "{" << p.x << "," << p.y << " " << p.width << "x" << p.height << "}";
}
