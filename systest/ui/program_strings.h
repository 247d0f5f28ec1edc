// The language strings of the running program: the string tables of its
// resource modules (systest/resources/string_ids.h).
#pragma once

#include "systest/engine/string_source.h"
#include "systest/ui/app_module.h"

#include <string>

// Strings come from the current resource module, which the main dialog makes
// the language library.
class ProgramStrings final : public StringSource {
  public:
    explicit ProgramStrings(const AppModule& module) : module_(module) {}
    std::u16string Load(int id) const override;

  private:
    const AppModule& module_;
};
