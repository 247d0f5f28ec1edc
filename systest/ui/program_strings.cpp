#include "systest/ui/program_strings.h"

#include "common/win/resource_string.h"
#include "common/win/wide.h"

std::u16string ProgramStrings::Load(int id) const {
    return LoadResourceString(module_.ResourceModule(), id);
}

std::u16string ProgramStrings::LoadStatusWord(int id) const {
    wchar_t word[kStatusWordUnits] = {};
    for (const UniqueLibrary& library : module_.ResourceLibraries()) {
        if (LoadStringW(library.get(), static_cast<UINT>(id), word, kStatusWordUnits) > 0) {
            return FromWide(word);
        }
    }
    LoadStringW(module_.ResourceModule(), static_cast<UINT>(id), word, kStatusWordUnits);
    return FromWide(word);
}
