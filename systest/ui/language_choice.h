// Which language library and agreement text the program uses: the library of
// the user's language when it is beside the program, else English, beside the
// program or else in the current directory.
#pragma once

#include <string>
#include <string_view>

// What the choice needs from the system.
class LanguageFileSystem {
  public:
    virtual ~LanguageFileSystem() = default;
    // Whether the path names an existing file (not a directory).
    virtual bool IsFile(const std::u16string& path) const = 0;
    // Loads the library and keeps it as a resource library; false when it
    // cannot be loaded.
    virtual bool LoadLanguageLibrary(const std::u16string& path) = 0;
};

struct LanguageChoice {
    bool loaded = false;           // a language library was loaded
    std::u16string agreementPath;  // when loaded: the agreement text to show
    std::u16string failure;        // when not loaded: the fatal error message
};

// The English fallback, looked for beside the program first. Then the bare
// names: the existence test and the text reader look in the current
// directory, LoadLibraryW in the library search path.
inline constexpr char16_t kFallbackLibrary[] = u"Lang_En.Dll";
inline constexpr char16_t kFallbackAgreement[] = u"Lic_En.Txt";

// programPath is the program file's full path, languageCode the user's ISO 639
// language name ("de"; empty when unknown). A library that exists but cannot
// be loaded counts as missing.
LanguageChoice ChooseLanguage(std::u16string_view programPath, std::u16string_view languageCode,
                              LanguageFileSystem& system);
