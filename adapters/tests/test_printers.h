// How the adapter tests print driver versions in their failure messages.
#pragma once

#include "adapters/driver_version.h"

#include <ostream>

inline void PrintTo(const DriverVersionNumber& v, std::ostream* os) {
    *os << v.part1 << '.' << v.part2 << '.' << v.part3 << '.' << v.part4;
}
