// cardlist.exe writes its output whole, however long, to the console it was
// started from: a list of bad lines gives over 200 KB of findings.
#include "common/tests/wine/console_screen.h"
#include "common/tests/wine/job.h"
#include "common/tests/wine/temp_folder.h"
#include "common/text.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kBadLines = 1200;

// A console wide enough for every finding on one row; cardlist.exe, started
// without handles of its own, writes to it.
TEST(CardListConsole, TakesOutputOfAnyLengthWhole) {
    // A folder name beyond U+FFFF, so that every finding holds a surrogate pair.
    const TempFolder folder(u"cardlist_console_\U0001F5A5");
    const std::u16string list = folder.File(u"list.txt");
    std::string lines;
    for (int i = 0; i < kBadLines; ++i) {
        lines += "Bad line\r\n";
    }
    ASSERT_TRUE(WriteBytes(list, lines));

    const UniqueFileHandle screen = NewConsoleScreen(400, kBadLines + 10);
    ASSERT_TRUE(screen.valid());

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

    // One finding per line, each row as the tool wrote it.
    const std::vector<std::wstring> rows = ConsoleRows(screen.get());
    ASSERT_EQ(rows.size(), static_cast<size_t>(kBadLines));
    size_t written = 0;
    for (const std::wstring& row : rows) {
        EXPECT_EQ(row.rfind(ToWide(list) + L":", 0), 0u) << Utf8FromUtf16(FromWide(row));
        written += row.size() + 2;
    }
    EXPECT_GT(written * sizeof(wchar_t), 200u * 1024);
    EXPECT_EQ(rows.back().rfind(ToWide(list) + L":" + std::to_wstring(kBadLines) + L": ", 0), 0u);
}

}  // namespace
