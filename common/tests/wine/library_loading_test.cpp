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

#include <cstdint>
#include <cstring>
#include <cwctype>
#include <iterator>
#include <string>
#include <vector>

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

// The calls of a LoadLibraryExW stand-in, which loads nothing or passes them on.
struct LoadCall {
    std::wstring path;
    DWORD flags;
};
std::vector<LoadCall> gLoadCalls;
HMODULE WINAPI RecordingNothingLoaded(LPCWSTR path, HANDLE, DWORD flags) {
    gLoadCalls.push_back({path, flags});
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}
HMODULE WINAPI RecordingLoadLibraryEx(LPCWSTR path, HANDLE file, DWORD flags) {
    gLoadCalls.push_back({path, flags});
    return LoadLibraryExW(path, file, flags);
}

constexpr WindowsVersion kWindows7{6, 1};
constexpr WindowsVersion kWindowsVista{6, 0};
constexpr WindowsVersion kWindows8{6, 2};

// Windows XP, and Vista and 7 without update KB2533623, lack
// SetDefaultDllDirectories, and a call of it may fail; Vista must not call it.
// Then the DLL directory becomes "", which on Windows takes the current folder
// out of the search, and the system libraries are loaded ahead. Wine's loader
// reads an empty DLL directory as none and keeps searching the current folder,
// so the test sees the call through a folder set as the DLL directory before:
// emptied, it leaves the search.
TEST(RestrictDllSearch, EmptiesTheDllDirectoryAndPreloadsWhereTheSearchCannotBeNarrowed) {
    const TempFolder folder(u"qst_dll_directory");
    const std::wstring name = L"qst_planted_dll_directory.dll";
    ASSERT_TRUE(WriteBytes(folder.File(FromWide(name)), "no DLL"));
    const struct {
        const char* what;
        SetDefaultDllDirectoriesFunction setDefaultDllDirectories;
        WindowsVersion version;
        DWORD search;
        bool preloaded;
    } cases[] = {
        {"missing", nullptr, kWindows7, ERROR_MOD_NOT_FOUND, true},
        {"refusing", RefusingSetDefaultDllDirectories, kWindows7, ERROR_MOD_NOT_FOUND, true},
        {"on Vista", AcceptingSetDefaultDllDirectories, kWindowsVista, ERROR_MOD_NOT_FOUND, true},
        {"narrowing the search itself", AcceptingSetDefaultDllDirectories, kWindows8,
         ERROR_BAD_EXE_FORMAT, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(SetDllDirectoryW(WideCStr(folder.Path())));
        gLoadCalls.clear();
        EXPECT_TRUE(RestrictDllSearch(c.setDefaultDllDirectories, c.version, RecordingNothingLoaded)
                        .empty());
        EXPECT_EQ(SearchFor(name), c.search);
        EXPECT_EQ(gLoadCalls.size(), c.preloaded ? std::size(kSystemLibrariesLoadedByName) : 0u);
    }
    SetDllDirectoryW(nullptr);
}

// Each from the system folder by its full path, its own imports looked for
// there first, and kept; one that the system lacks (Wine has no cryptbase.dll,
// clbcatq.dll or ntmarta.dll) is left out.
TEST(RestrictDllSearch, PreloadsTheSystemLibrariesFromTheSystemFolder) {
    gLoadCalls.clear();
    const PreloadedLibraries libraries =
        RestrictDllSearch(nullptr, kWindows7, RecordingLoadLibraryEx);
    SetDllDirectoryW(nullptr);
    ASSERT_EQ(gLoadCalls.size(), std::size(kSystemLibrariesLoadedByName));
    size_t present = 0;
    for (size_t i = 0; i < gLoadCalls.size(); ++i) {
        const std::wstring path = SystemFolder() + kSystemLibrariesLoadedByName[i];
        EXPECT_EQ(gLoadCalls[i].path, path);
        EXPECT_EQ(gLoadCalls[i].flags, static_cast<DWORD>(LOAD_WITH_ALTERED_SEARCH_PATH));
        present += GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
    }
    ASSERT_EQ(libraries.size(), present);
    for (const UniqueLibrary& library : libraries) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(library.get(), path, MAX_PATH);
        EXPECT_EQ(Lower(path).rfind(Lower(SystemFolder()), 0), 0u) << testing::PrintToString(path);
    }
}

TEST_F(DllSearch, WithSetDefaultDllDirectoriesOnlyTheSystemFolderIsSearched) {
    EXPECT_TRUE(RestrictDllSearchToSystemFolder().empty()) << "nothing preloaded";
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

extern "C" uintptr_t __stack_chk_guard;

// The guard as this program's file holds it, which every process would keep
// unseeded: read from a copy of the file mapped as an image resource (the
// file itself is this process's module, which LoadLibraryExW would hand back).
uintptr_t LinkedStackGuard() {
    const TempFolder folder(u"qst_stack_guard");
    const std::u16string copy = folder.File(u"copy.exe");
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (!CopyFileW(self, WideCStr(copy), FALSE)) {
        return 0;
    }
    const UniqueLibrary image(
        LoadLibraryExW(WideCStr(copy), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!image) {
        return 0;
    }
    // A module mapped as a resource has its low bits set.
    const uintptr_t base = reinterpret_cast<uintptr_t>(image.get()) & ~uintptr_t{3};
    const uintptr_t offset = reinterpret_cast<uintptr_t>(&__stack_chk_guard) -
                             reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr));
    return *reinterpret_cast<const uintptr_t*>(base + offset);
}

TEST(StackProtector, EachProcessSeedsAGuardOfItsOwn) {
    const uintptr_t linked = LinkedStackGuard();
    ASSERT_NE(linked, 0u);
    EXPECT_NE(__stack_chk_guard, linked);
    EXPECT_NE(__stack_chk_guard, 0u);
}

TEST(StackProtector, AnOverrunBufferEndsTheProgram) {
    OverrunABuffer(sizeof(char[16]));
    EXPECT_EXIT(OverrunABuffer(64), testing::ExitedWithCode(static_cast<int>(0xC0000409)), "");
}

}  // namespace
