// The language of the user on the running system: the language library that
// language_choice.h chooses over the program's folder and the user's locale,
// and the agreement text of the same language.
#pragma once

#include "common/win/handles.h"
#include "common/win/resource_string.h"
#include "systest/engine/string_source.h"

#include <optional>
#include <string>
#include <utility>

// The language the program speaks, chosen once at the start and handed to
// whatever shows a text: every text of its windows and every line of the
// unattended run from then on comes from its library's string table, and the
// agreement page shows its agreement text. The dialog templates, icons and
// images are the program's own and never come from it.
class LanguageResources final : public StringSource {
  public:
    LanguageResources(UniqueLibrary library, std::u16string agreementPath)
        : library_(std::move(library)), agreementPath_(std::move(agreementPath)) {}

    std::u16string Load(int id) const override { return LoadResourceString(library_.get(), id); }
    // The agreement text file of the language; it may be missing.
    const std::u16string& AgreementPath() const { return agreementPath_; }

  private:
    UniqueLibrary library_;  // loaded for as long as the texts are shown
    std::u16string agreementPath_;
};

// Opens a language library from its full path as data (LoadDataLibrary): its
// strings are read, no code of it runs. Null when it cannot be opened or lacks
// a string of the program, as a DLL of another kind does.
UniqueLibrary OpenLanguageLibrary(const std::wstring& fullPath);

// The user's language; none, with the fatal error message in failure, when no
// language library loads.
std::optional<LanguageResources> LoadUserLanguage(std::u16string& failure);
