// The language strings of QuarvelSysTest by identifier
// (systest/resources/string_ids.h): the language library in the program, a
// table in memory in the tests.
#pragma once

#include <string>

class StringSource {
  public:
    virtual ~StringSource() = default;
    // The string of the identifier; empty when the library does not hold it.
    virtual std::u16string Load(int id) const = 0;
};
