#include "systest/ui/program_strings.h"

#include "common/win/wide.h"

std::u16string LoadResourceString(HMODULE module, int id) {
    const wchar_t* text = nullptr;
    // A buffer length of 0 returns a read-only pointer into the resource, so
    // strings of any length are read whole.
    const int length =
        LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return {};
    }
    return FromWide(std::wstring_view(text, static_cast<size_t>(length)));
}

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
