// Text of any length to a console, as every supported Windows takes it.
#include "common/win/console_output.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A console of Windows 7: a write of more than 64 KB fails with
// ERROR_NOT_ENOUGH_MEMORY. It keeps what it shows and refuses the write
// numbered refused.
struct PlayedConsole {
    std::u16string shown;
    std::vector<size_t> pieces;
    int refused = -1;
};
PlayedConsole gConsole;

BOOL WINAPI WriteToPlayedConsole(HANDLE, const VOID* text, DWORD units, DWORD* written, VOID*) {
    if (units * sizeof(char16_t) > 64 * 1024 ||
        static_cast<int>(gConsole.pieces.size()) == gConsole.refused) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    gConsole.pieces.push_back(units);
    gConsole.shown.append(static_cast<const char16_t*>(text), units);
    *written = units;
    return TRUE;
}

// About 200 KB, a character beyond U+FFFF across each piece's end: shown
// whole, in pieces that split no pair; a write that fails ends the text.
TEST(WriteConsoleText, WritesAnyLengthInPiecesThatSplitNoCharacter) {
    std::u16string text;
    while (text.size() < 100 * 1024) {
        text += std::u16string(kConsolePieceUnits - 1, u'x') + u"\U0001F600";
    }
    for (const int refused : {-1, 2}) {
        SCOPED_TRACE(refused);
        gConsole = {};
        gConsole.refused = refused;
        EXPECT_EQ(WriteConsoleText(nullptr, text, WriteToPlayedConsole), refused < 0);
        size_t end = 0;
        for (const size_t piece : gConsole.pieces) {
            EXPECT_LE(piece, kConsolePieceUnits);
            end += piece;
            const char16_t last = text[end - 1];
            EXPECT_FALSE(last >= 0xD800 && last <= 0xDBFF) << "a pair split at " << end;
        }
        EXPECT_EQ(gConsole.shown, text.substr(0, end));
        EXPECT_EQ(end == text.size(), refused < 0);
    }
}

// Windows' console, which Wine does not play here: a console handle opened
// without GENERIC_WRITE refuses every write with ERROR_ACCESS_DENIED.
DWORD gConsoleAccess = 0;
HANDLE WINAPI OpenPlayedConsole(LPCWSTR name, DWORD access, DWORD share,
                                LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                HANDLE tmpl) {
    EXPECT_STREQ(name, L"CONOUT$");
    gConsoleAccess = access;
    return CreateFileW(L"NUL", GENERIC_WRITE, share, security, disposition, flags, tmpl);
}
BOOL WINAPI WriteToWindowsConsole(HANDLE console, const VOID* text, DWORD units, DWORD* written,
                                  VOID* reserved) {
    if ((gConsoleAccess & GENERIC_WRITE) == 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return WriteToPlayedConsole(console, text, units, written, reserved);
}

TEST(OpenConsoleOutput, TakesText) {
    gConsole = {};
    const UniqueFileHandle console = OpenConsoleOutput(OpenPlayedConsole);
    ASSERT_TRUE(console.valid());
    EXPECT_TRUE(WriteConsoleText(console.get(), u"Passed", WriteToWindowsConsole));
    EXPECT_EQ(gConsole.shown, u"Passed");
}

}  // namespace
