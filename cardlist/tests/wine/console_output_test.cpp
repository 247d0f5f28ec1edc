// cardlist.exe writes its output whole, however long, to the console it was
// started from: a list of bad lines gives over 200 KB of findings.
#include "common/tests/wine/job.h"
#include "common/tests/wine/temp_folder.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int kBadLines = 1200;

// The test program has no console of its own under Wine (wine-exec starts it
// from a pipe), so it makes one, wide enough for every finding on one row;
// cardlist.exe, started without handles of its own, writes to it.
TEST(CardListConsole, TakesOutputOfAnyLengthWhole) {
    // A folder name beyond U+FFFF, so that every finding holds a surrogate pair.
    const TempFolder folder(u"cardlist_console_\U0001F5A5");
    const std::u16string list = folder.File(u"list.txt");
    std::string lines;
    for (int i = 0; i < kBadLines; ++i) {
        lines += "Bad line\r\n";
    }
    ASSERT_TRUE(WriteBytes(list, lines));

    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    const UniqueFileHandle screen(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(screen.valid());
    ASSERT_TRUE(SetConsoleScreenBufferSize(screen.get(), {400, kBadLines + 10}));

    const UniqueKernelHandle job = CreateKillOnCloseJob();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    UniqueKernelHandle process;
    UniqueKernelHandle thread;
    DWORD processId = 0;
    ASSERT_TRUE(StartSuspendedInJob(job.get(), ToWide(ProgramFolder()) + L"cardlist.exe",
                                    L"cardlist.exe check \"" + ToWide(list) + L"\"", false, 0,
                                    nullptr, startup, process, thread, processId));
    ResumeThread(thread.get());
    ASSERT_EQ(WaitForSingleObject(process.get(), 60'000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, 1u) << "findings";

    // One finding per line, two for the first; each row as the tool wrote it.
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen.get(), &info);
    ASSERT_EQ(info.dwCursorPosition.Y, kBadLines + 1);
    size_t written = 0;
    std::wstring row;
    for (SHORT y = 0; y < info.dwCursorPosition.Y; ++y) {
        row.assign(static_cast<size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen.get(), row.data(), info.dwSize.X, {0, y}, &read);
        row.erase(row.find_last_not_of(L' ') + 1);
        EXPECT_EQ(row.rfind(ToWide(list) + L":", 0), 0u) << y;
        written += row.size() + 2;
    }
    EXPECT_GT(written * sizeof(wchar_t), 200u * 1024);
    EXPECT_EQ(row.rfind(ToWide(list) + L":" + std::to_wstring(kBadLines) + L": ", 0), 0u);
}

}  // namespace
