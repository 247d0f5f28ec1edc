// QuarvelSysTest's strings as its English language library holds them,
// generated at build time from the library's resource script.
#pragma once

#include "systest/engine/string_source.h"

#include <string>

class EnglishStrings final : public StringSource {
  public:
    std::u16string Load(int id) const override;
};
