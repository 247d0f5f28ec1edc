#include "systest/ui/language_files.h"

#include "common/win/wide.h"

namespace {

constexpr int kLanguageCodeUnits = 30;

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

std::u16string UserLanguageCode() {
    wchar_t code[kLanguageCodeUnits] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, code, kLanguageCodeUnits) ==
        0) {
        return {};
    }
    return FromWide(code);
}

std::u16string ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FromWide(path);
}

}  // namespace

LanguageChoice LoadUserLanguage(AppModule& module) {
    Win32LanguageFiles files(module);
    return ChooseLanguage(ProgramPath(), UserLanguageCode(), files);
}
