// Strings of the program's resource modules.
#pragma once

#include "systest/engine/string_source.h"
#include "systest/ui/app_module.h"

#include <string>

// The string of a module's string table; empty when the module lacks it.
std::u16string LoadResourceString(HMODULE module, int id);

// The strings of the current resource module: the program until the main
// dialog switches to the language library.
class CurrentModuleStrings final : public StringSource {
  public:
    explicit CurrentModuleStrings(const AppModule& module) : module_(module) {}
    std::u16string Load(int id) const override {
        return LoadResourceString(module_.ResourceModule(), id);
    }

  private:
    const AppModule& module_;
};
