// The language strings of QuarvelSysTest by identifier
// (systest/resources/string_ids.h): the language library in the program, a
// table in memory in the tests.
#pragma once

#include <cstddef>
#include <string>

// The results list stores a row's status word in a buffer of this many units,
// so a row shows at most 49 characters of it.
inline constexpr size_t kStatusWordUnits = 50;

class StringSource {
  public:
    virtual ~StringSource() = default;
    // The string of the identifier; empty when the library does not hold it.
    virtual std::u16string Load(int id) const = 0;
};
