#include "systest/ui/language_files.h"

#include "common/win/wide.h"

namespace {

constexpr int kLocaleNameUnits = 30;

class Win32LanguageFiles final : public LanguageFileSystem {
  public:
    explicit Win32LanguageFiles(AppModule& module) : module_(module) {}

    bool IsFile(const std::u16string& path) const override {
        const DWORD attributes = GetFileAttributesW(WideCStr(path));
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool LoadLanguageLibrary(const std::u16string& path) override {
        UniqueLibrary library(LoadLibraryW(WideCStr(path)));
        if (!library.valid()) {
            return false;
        }
        module_.AddResourceLibrary(std::move(library));
        return true;
    }

  private:
    AppModule& module_;
};

// One item of the user's default locale; empty when it cannot be read.
std::u16string UserLocaleInfo(LCTYPE item) {
    wchar_t name[kLocaleNameUnits] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, item, name, kLocaleNameUnits) == 0) {
        return {};
    }
    return FromWide(name);
}

std::u16string ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FromWide(path);
}

}  // namespace

LanguageChoice LoadUserLanguage(AppModule& module) {
    Win32LanguageFiles files(module);
    const UserLocale locale{UserLocaleInfo(LOCALE_SISO639LANGNAME),
                            UserLocaleInfo(LOCALE_SISO3166CTRYNAME)};
    return ChooseLanguage(ProgramPath(), locale, files);
}
