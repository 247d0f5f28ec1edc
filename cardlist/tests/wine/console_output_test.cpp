// cardlist.exe writes its output whole, however long, to the console it was
// started from as to a file: a list of bad lines gives over 200 KB of findings.
#include "common/tests/wine/job.h"
#include "common/tests/wine/temp_folder.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kRunTimeoutMs = 60'000;
constexpr SHORT kColumns = 400;
constexpr int kBadLines = 1200;

// Runs cardlist.exe with its standard output on the file (inheritable), or on
// the console when there is none; its exit code.
DWORD RunCardList(const std::wstring& arguments, HANDLE output = nullptr) {
    const std::wstring program = ToWide(ProgramFolder()) + L"cardlist.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    const UniqueKernelHandle job = CreateKillOnCloseJob();
    UniqueKernelHandle process;
    UniqueKernelHandle thread;
    DWORD processId = 0;
    DWORD exitCode = 0xDEAD;
    if (!job.valid() ||
        !StartSuspendedInJob(job.get(), program, L"cardlist.exe " + arguments, output != nullptr, 0,
                             nullptr, startup, process, thread, processId)) {
        ADD_FAILURE() << "cannot start cardlist.exe: error " << GetLastError();
        return exitCode;
    }
    ResumeThread(thread.get());
    EXPECT_EQ(WaitForSingleObject(process.get(), kRunTimeoutMs), static_cast<DWORD>(WAIT_OBJECT_0));
    GetExitCodeProcess(process.get(), &exitCode);
    return exitCode;
}

// The lines of UTF-8 text with CR LF line ends.
std::vector<std::wstring> Utf8Lines(const std::string& bytes) {
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), text.data(),
                                                        static_cast<int>(text.size()))));
    std::vector<std::wstring> lines;
    for (size_t start = 0, end; (end = text.find(L"\r\n", start)) != std::wstring::npos;
         start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The console's rows up to its cursor, without the blanks that fill them.
std::vector<std::wstring> ConsoleRows(HANDLE screen) {
    std::vector<std::wstring> rows;
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(screen, &info);
    for (SHORT row = 0; row < info.dwCursorPosition.Y; ++row) {
        std::wstring text(static_cast<size_t>(info.dwSize.X), L' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(screen, text.data(), info.dwSize.X, {0, row}, &read);
        text.erase(text.find_last_not_of(L' ') + 1);
        rows.push_back(text);
    }
    return rows;
}

// The test program has no console of its own under Wine (wine-exec starts it
// from a pipe), so it makes one, wide enough for every finding on one row.
TEST(CardListConsole, TakesOutputOfAnyLengthWhole) {
    // A folder name beyond U+FFFF, so that every finding holds a surrogate pair.
    const TempFolder folder(u"cardlist_console_\U0001F5A5");
    std::string list;
    for (int i = 0; i < kBadLines; ++i) {
        list += "Bad line\r\n";
    }
    const std::u16string path = folder.File(u"list.txt");
    ASSERT_TRUE(WriteBytes(path, list));
    const std::wstring arguments = L"check \"" + ToWide(path) + L"\"";

    const std::u16string redirected = folder.File(u"findings.txt");
    {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        const UniqueFileHandle file(CreateFileW(WideCStr(redirected), GENERIC_WRITE, 0,
                                                &inheritable, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file.valid());
        EXPECT_EQ(RunCardList(arguments, file.get()), 1u) << "findings";
    }
    const std::string bytes = ReadBytes(redirected);
    ASSERT_GT(bytes.size(), 200u * 1024);
    const std::vector<std::wstring> findings = Utf8Lines(bytes);

    FreeConsole();
    ASSERT_TRUE(AllocConsole());
    const UniqueFileHandle screen(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(screen.valid());
    ASSERT_TRUE(SetConsoleScreenBufferSize(screen.get(),
                                           {kColumns, static_cast<SHORT>(findings.size() + 10)}));
    EXPECT_EQ(RunCardList(arguments), 1u);
    EXPECT_EQ(ConsoleRows(screen.get()), findings);
}

}  // namespace
