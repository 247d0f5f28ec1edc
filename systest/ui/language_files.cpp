#include "systest/ui/language_files.h"

#include "common/win/library_loading.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"
#include "systest/resources/string_ids.h"
#include "systest/ui/language_choice.h"

#include <algorithm>

namespace {

constexpr int kLocaleNameUnits = 30;

class Win32LanguageFiles final : public LanguageFileSystem {
  public:
    bool IsFile(const std::u16string& path) const override {
        const DWORD attributes = GetFileAttributesW(WideCStr(path));
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    std::u16string FullPath(const std::u16string& name) const override {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetFullPathNameW(WideCStr(name), MAX_PATH, path, nullptr);
        if (length == 0 || length >= MAX_PATH) {
            return {};
        }
        return FromWide(std::wstring_view(path, length));
    }

    bool LoadLanguageLibrary(const std::u16string& path) override {
        library_ = OpenLanguageLibrary(ToWide(path));
        return library_.valid();
    }

    // The library that loaded last.
    UniqueLibrary TakeLibrary() { return std::move(library_); }

  private:
    UniqueLibrary library_;
};

// One item of the user's default locale; empty when it cannot be read.
std::u16string UserLocaleInfo(LCTYPE item) {
    wchar_t name[kLocaleNameUnits] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, item, name, kLocaleNameUnits) == 0) {
        return {};
    }
    return FromWide(name);
}

}  // namespace

UniqueLibrary OpenLanguageLibrary(const std::wstring& fullPath) {
    UniqueLibrary library = LoadDataLibrary(fullPath);
    const bool holdsEveryString =
        library.valid() && std::ranges::all_of(kLanguageStringIds, [&](int id) {
            return !LoadResourceString(library.get(), id).empty();
        });
    return holdsEveryString ? std::move(library) : UniqueLibrary();
}

std::optional<LanguageResources> LoadUserLanguage(std::u16string& failure) {
    Win32LanguageFiles files;
    const UserLocale locale{UserLocaleInfo(LOCALE_SISO639LANGNAME),
                            UserLocaleInfo(LOCALE_SISO3166CTRYNAME)};
    LanguageChoice choice = ChooseLanguage(ProgramPath(), locale, files);
    if (!choice.loaded) {
        failure = std::move(choice.failure);
        return std::nullopt;
    }
    return LanguageResources(files.TakeLibrary(), std::move(choice.agreementPath));
}
