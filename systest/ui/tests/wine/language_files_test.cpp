// Language libraries are opened as data, and only one with the program's
// strings counts as one.
#include "systest/ui/language_files.h"

#include "common/win/library_loading.h"
#include "common/win/program_folder.h"
#include "common/win/resource_string.h"
#include "common/win/wide.h"
#include "systest/resources/string_ids.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(OpenLanguageLibrary, OnlyALibraryWithEveryStringOfTheProgramIsOne) {
    const std::wstring folder = ToWide(ProgramFolder());
    const struct {
        const char* what;
        std::wstring path;
        bool language;
    } cases[] = {
        {"English", folder + L"Lang_En.Dll", true},
        // A valid DLL of another kind gave rows of empty texts.
        {"a system DLL", SystemFolder() + L"kernel32.dll", false},
        {"a system DLL with strings", SystemFolder() + L"shell32.dll", false},
        {"an agreement text", folder + L"Lic_En.Txt", false},
        {"missing", folder + L"Lang_Xx.Dll", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const UniqueLibrary library = OpenLanguageLibrary(c.path);
        EXPECT_EQ(library.valid(), c.language);
        if (library) {
            EXPECT_FALSE(LoadResourceString(library.get(), IDS_AGREEMENT_CAPTION).empty());
        }
    }
}

// Windows XP knows no LOAD_LIBRARY_AS_IMAGE_RESOURCE and fails a call that
// asks for it with ERROR_INVALID_PARAMETER; Wine, as Vista and later, maps
// the library as an image.
HMODULE WINAPI LoadLibraryExOfWindowsXp(LPCWSTR name, HANDLE file, DWORD flags) {
    if ((flags & LOAD_LIBRARY_AS_IMAGE_RESOURCE) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibraryExW(name, file, flags);
}

TEST(LoadDataLibrary, WindowsXpReadsTheStringsOfADataFile) {
    const UniqueLibrary library =
        LoadDataLibrary(ToWide(ProgramFolder()) + L"Lang_De.Dll", LoadLibraryExOfWindowsXp);
    ASSERT_TRUE(library);
    // Mapped as data, not loaded as code: the handle of a data file has its
    // lowest bit set.
    EXPECT_NE(reinterpret_cast<uintptr_t>(library.get()) & 1, 0u);
    EXPECT_EQ(LoadResourceString(library.get(), IDS_AGREEMENT_DECLINE), u"Abbrechen");
}

}  // namespace
