#include "systest/ui/language_choice.h"

namespace {

constexpr char16_t kNoDirectoryMessage[] = u"Can't initialize language directory / ";
constexpr char16_t kNoLibraryMessage[] = u"Can't initialize language Dll / ";

}  // namespace

LanguageChoice ChooseLanguage(std::u16string_view programPath, std::u16string_view languageCode,
                              LanguageFileSystem& system) {
    LanguageChoice choice;
    // A backslash at the very start of the path does not make a directory.
    const size_t backslash = programPath.rfind(u'\\');
    if (backslash == std::u16string_view::npos || backslash == 0) {
        choice.failure = kNoDirectoryMessage + std::u16string(programPath);
        return choice;
    }
    const std::u16string directory(programPath.substr(0, backslash + 1));
    const std::u16string code(languageCode);
    const std::u16string libraryPath = directory + u"Lang_" + code + u".Dll";

    const std::u16string besideLibrary = directory + kFallbackLibrary;
    if (system.IsFile(libraryPath) && system.LoadLanguageLibrary(libraryPath)) {
        choice.loaded = true;
        choice.agreementPath = directory + u"Lic_" + code + u".Txt";
    } else if (system.IsFile(besideLibrary) && system.LoadLanguageLibrary(besideLibrary)) {
        // English beside the program, wherever it was started from.
        choice.loaded = true;
        choice.agreementPath = directory + kFallbackAgreement;
    } else if (system.IsFile(kFallbackLibrary) && system.LoadLanguageLibrary(kFallbackLibrary)) {
        choice.loaded = true;
        choice.agreementPath = kFallbackAgreement;
    } else {
        // Named after the user's language, which is the library that is missing.
        choice.failure = kNoLibraryMessage + libraryPath;
    }
    return choice;
}
