#include "systest/ui/program_strings.h"

#include "common/win/resource_string.h"

std::u16string ProgramStrings::Load(int id) const {
    return LoadResourceString(module_.ResourceModule(), id);
}
