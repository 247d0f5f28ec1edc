// The program's own path, of every length Windows may report.
#include "common/win/program_folder.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

// The path GetModuleFileNameW is made to report, as Windows XP does: one that
// does not fit is cut at the buffer's end, without the closing zero, and the
// length is the buffer's.
std::wstring gPlayedPath;
DWORD WINAPI PlayedModuleFileName(HMODULE, LPWSTR buffer, DWORD size) {
    const DWORD length = static_cast<DWORD>(gPlayedPath.size());
    const DWORD copied = length < size ? length + 1 : size;
    wmemcpy(buffer, gPlayedPath.c_str(), copied);
    return length < size ? length : size;
}

TEST(ProgramPath, OnlyAPathReadWholeIsThePrograms) {
    const std::wstring folder = L"C:\\" + std::wstring(200, L'f') + L"\\";
    const struct {
        const char* what;
        size_t length;
        bool whole;
    } cases[] = {
        {"one short of MAX_PATH", MAX_PATH - 1, true},
        {"MAX_PATH", MAX_PATH, false},
        {"longer", MAX_PATH + 40, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        gPlayedPath = folder + std::wstring(c.length - folder.size() - 4, L'p') + L".exe";
        ASSERT_EQ(gPlayedPath.size(), c.length);
        EXPECT_EQ(ProgramPath(PlayedModuleFileName), c.whole ? FromWide(gPlayedPath) : u"");
    }
}

}  // namespace
