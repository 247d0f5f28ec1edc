// Which language library and agreement text the program uses: the library of
// the user's language when it is beside the program (for Chinese, the one of
// the user's script first), else English, beside the program or else in the
// current directory.
#pragma once

#include <string>
#include <string_view>

// What the choice needs from the system.
class LanguageFileSystem {
  public:
    virtual ~LanguageFileSystem() = default;
    // Whether the path names an existing file (not a directory).
    virtual bool IsFile(const std::u16string& path) const = 0;
    // The full path of the current directory's file of that name; empty when
    // it cannot be formed.
    virtual std::u16string FullPath(const std::u16string& name) const = 0;
    // Loads the library at the full path and keeps it for the program;
    // false when it cannot be loaded or is no language library of ours.
    virtual bool LoadLanguageLibrary(const std::u16string& path) = 0;
};

struct LanguageChoice {
    bool loaded = false;           // a language library was loaded
    std::u16string agreementPath;  // when loaded: the agreement text to show
    std::u16string failure;        // when not loaded: the fatal error message
};

// The English fallback, looked for beside the program first, then in the
// current directory by its full path there, so the file that was found is the
// one loaded (a library named without a path would be looked for elsewhere).
inline constexpr char16_t kFallbackLibrary[] = u"Lang_En.Dll";
inline constexpr char16_t kFallbackAgreement[] = u"Lic_En.Txt";

// The user's ISO 639 language name ("de", "zh") and ISO 3166 region name
// ("DE", "TW"); either is empty when unknown.
struct UserLocale {
    std::u16string language;
    std::u16string region;
};

// programPath is the program file's full path. Chinese comes in two scripts
// under one language name: before Lang_zh.Dll comes Lang_zh-Hant.Dll
// (Traditional) for Taiwan, Hong Kong and Macao, Lang_zh-Hans.Dll (Simplified)
// for every other region. A library that exists but cannot be loaded, or is no
// language library, counts as missing; the fatal error names the first library
// looked for.
LanguageChoice ChooseLanguage(std::u16string_view programPath, const UserLocale& locale,
                              LanguageFileSystem& system);
