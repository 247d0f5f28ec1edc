#include "systest/ui/language_choice.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr char16_t kNoDirectoryMessage[] = u"Can't initialize language directory / ";
constexpr char16_t kNoLibraryMessage[] = u"Can't initialize language Dll / ";

// The regions whose Chinese is written in Traditional characters.
constexpr std::u16string_view kTraditionalChineseRegions[] = {u"TW", u"HK", u"MO"};

// The codes of the user's language library, most fitting first: the language
// and script for Chinese, then the language alone.
std::vector<std::u16string> LanguageCodes(const UserLocale& locale) {
    std::vector<std::u16string> codes;
    if (locale.language == u"zh") {
        const bool traditional = std::ranges::find(kTraditionalChineseRegions, locale.region) !=
                                 std::end(kTraditionalChineseRegions);
        codes.push_back(traditional ? u"zh-Hant" : u"zh-Hans");
    }
    codes.push_back(locale.language);
    return codes;
}

}  // namespace

LanguageChoice ChooseLanguage(std::u16string_view programPath, const UserLocale& locale,
                              LanguageFileSystem& system) {
    LanguageChoice choice;
    // A backslash at the very start of the path does not make a directory.
    const size_t backslash = programPath.rfind(u'\\');
    if (backslash == std::u16string_view::npos || backslash == 0) {
        choice.failure = kNoDirectoryMessage + std::u16string(programPath);
        return choice;
    }
    const std::u16string directory(programPath.substr(0, backslash + 1));
    const std::vector<std::u16string> codes = LanguageCodes(locale);
    for (const std::u16string& code : codes) {
        const std::u16string libraryPath = directory + u"Lang_" + code + u".Dll";
        if (system.IsFile(libraryPath) && system.LoadLanguageLibrary(libraryPath)) {
            choice.loaded = true;
            choice.agreementPath = directory + u"Lic_" + code + u".Txt";
            return choice;
        }
    }

    const std::u16string besideLibrary = directory + kFallbackLibrary;
    if (system.IsFile(besideLibrary) && system.LoadLanguageLibrary(besideLibrary)) {
        // English beside the program, wherever it was started from.
        choice.loaded = true;
        choice.agreementPath = directory + kFallbackAgreement;
    } else if (const std::u16string current = system.FullPath(kFallbackLibrary);
               !current.empty() && system.IsFile(current) && system.LoadLanguageLibrary(current)) {
        choice.loaded = true;
        choice.agreementPath = system.FullPath(kFallbackAgreement);
    } else {
        // Named after the user's language, which is the library that is missing.
        choice.failure = kNoLibraryMessage + directory + u"Lang_" + codes.front() + u".Dll";
    }
    return choice;
}
