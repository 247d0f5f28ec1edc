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

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

TEST(WriteConsoleText, WritesAnyLengthInPiecesThatSplitNoCharacter) {
    // About 200 KB, a character beyond U+FFFF across the first piece's end.
    std::u16string text;
    while (text.size() < 100 * 1024) {
        text += std::u16string(kConsolePieceUnits - 1, u'x') + u"\U0001F600";
    }
    gConsole = {};
    EXPECT_TRUE(WriteConsoleText(nullptr, text, WriteToPlayedConsole));
    EXPECT_EQ(gConsole.shown, text);
    size_t end = 0;
    for (const size_t piece : gConsole.pieces) {
        EXPECT_LE(piece, kConsolePieceUnits);
        end += piece;
        EXPECT_FALSE(IsHighSurrogate(text[end - 1])) << "a pair split at " << end;
    }
}

TEST(WriteConsoleText, StopsAtAWriteThatFails) {
    const std::u16string text(5 * kConsolePieceUnits, u'x');
    gConsole = {};
    gConsole.refused = 2;
    EXPECT_FALSE(WriteConsoleText(nullptr, text, WriteToPlayedConsole));
    EXPECT_EQ(gConsole.pieces.size(), 2u);
    EXPECT_EQ(gConsole.shown, text.substr(0, 2 * kConsolePieceUnits));
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
