// Where the programs' DLLs come from (common/win/library_loading.h), and the
// stack protector's run-time that the shipped programs carry. A search is
// probed with a file that is no DLL: LoadLibraryW fails with
// ERROR_BAD_EXE_FORMAT where it found the file and ERROR_MOD_NOT_FOUND where
// it found nothing, and runs no code either way.
#include "common/tests/wine/temp_folder.h"
#include "common/win/library_loading.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <string>

namespace {

// What LoadLibraryW makes of a name: 0 when it loaded a library.
DWORD SearchFor(const std::wstring& name) {
    SetLastError(0);
    const UniqueLibrary library(LoadLibraryW(name.c_str()));
    return library ? 0 : GetLastError();
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

// A file of the test's name that is no DLL, in a current folder of its own
// and beside this program, where a download folder holds the files users
// start.
class DllSearch : public testing::Test {
  protected:
    void SetUp() override {
        const std::u16string name = FromWide(Name());
        ASSERT_TRUE(WriteBytes(current_.File(name), "no DLL"));
        ASSERT_TRUE(WriteBytes(ProgramFolder() + name, "no DLL"));
        GetCurrentDirectoryW(MAX_PATH, previous_);
        SetCurrentDirectoryW(WideCStr(current_.Path()));
        // Found both ways before the search is narrowed.
        ASSERT_EQ(SearchFor(Name()), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
    }
    void TearDown() override {
        SetCurrentDirectoryW(previous_);
        DeleteFileW(WideCStr(ProgramFolder() + FromWide(Name())));
    }

    static std::wstring Name() {
        const char* test = testing::UnitTest::GetInstance()->current_test_info()->name();
        return L"qst_planted_" + std::wstring(test, test + std::strlen(test)) + L".dll";
    }

  private:
    TempFolder current_{u"qst_dll_search"};
    wchar_t previous_[MAX_PATH] = {};
};

BOOL WINAPI RefusingSetDefaultDllDirectories(DWORD) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
BOOL WINAPI AcceptingSetDefaultDllDirectories(DWORD) {
    return TRUE;
}

// Windows XP, and Vista and 7 without update KB2533623, lack
// SetDefaultDllDirectories, and a call of it may fail: then the DLL directory
// becomes "", which on Windows takes the current folder out of the search.
// Wine's loader reads an empty DLL directory as none and keeps searching the
// current folder, so the test sees the call through a folder set as the DLL
// directory before: emptied, it leaves the search.
TEST(RestrictDllSearch, EmptiesTheDllDirectoryWhereTheSystemCannotNarrowTheSearch) {
    const TempFolder folder(u"qst_dll_directory");
    const std::wstring name = L"qst_planted_dll_directory.dll";
    ASSERT_TRUE(WriteBytes(folder.File(FromWide(name)), "no DLL"));
    const struct {
        const char* what;
        SetDefaultDllDirectoriesFunction setDefaultDllDirectories;
        DWORD search;
    } cases[] = {
        {"missing", nullptr, ERROR_MOD_NOT_FOUND},
        {"refusing", RefusingSetDefaultDllDirectories, ERROR_MOD_NOT_FOUND},
        {"narrowing the search itself", AcceptingSetDefaultDllDirectories, ERROR_BAD_EXE_FORMAT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(SetDllDirectoryW(WideCStr(folder.Path())));
        RestrictDllSearch(c.setDefaultDllDirectories);
        EXPECT_EQ(SearchFor(name), c.search);
    }
    SetDllDirectoryW(nullptr);
}

TEST_F(DllSearch, WithSetDefaultDllDirectoriesOnlyTheSystemFolderIsSearched) {
    RestrictDllSearchToSystemFolder();
    EXPECT_EQ(SearchFor(Name()), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(SearchFor(L"version.dll"), 0u) << "a system DLL by its name";
}

TEST_F(DllSearch, SystemLibrariesComeFromTheSystemFolderOnly) {
    for (const wchar_t* name : {L"oleacc.dll", L"opengl32.dll"}) {
        const UniqueLibrary library = LoadSystemLibrary(name);
        ASSERT_TRUE(library) << testing::PrintToString(std::wstring(name));
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(library.get(), path, MAX_PATH);
        EXPECT_EQ(Lower(path), Lower(SystemFolder() + name));
    }
    SetLastError(0);
    EXPECT_FALSE(LoadSystemLibrary(Name().c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

// An overrun buffer ends the program at once, with the code Windows gives it,
// through the guard of stack_protector.cpp.
__attribute__((noinline)) void OverrunABuffer(size_t length) {
    char buffer[16];
    // The compiler must not know the length, or it would refuse the overrun.
    asm volatile("" : "+r"(length));
    std::memset(buffer, 'x', length);
    asm volatile("" : : "r"(buffer) : "memory");  // the buffer counts as used
}

TEST(StackProtector, AnOverrunBufferEndsTheProgram) {
    OverrunABuffer(sizeof(char[16]));
    EXPECT_EXIT(OverrunABuffer(64), testing::ExitedWithCode(static_cast<int>(0xC0000409)), "");
}

}  // namespace
