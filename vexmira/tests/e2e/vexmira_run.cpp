#include "vexmira/tests/e2e/vexmira_run.h"

#include "common/tests/wine/job.h"
#include "common/text.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr DWORD kPollMs = 20;

std::u16string LogName(const std::wstring& computer, const SYSTEMTIME& time) {
    wchar_t name[MAX_PATH];
    swprintf(name, MAX_PATH, L"vexmira_%ls_%d-%d-%d_%02d%02d.txt", computer.c_str(), time.wYear,
             time.wMonth, time.wDay, time.wHour, time.wMinute);
    return FromWide(name);
}

}  // namespace

VexmiraRun RunVexmira(const std::u16string& programFolder, std::u16string_view arguments,
                      const std::u16string& currentDirectory, VexmiraStart start) {
    VexmiraRun run;
    const bool captured = start == VexmiraStart::CapturedOutput;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    UniqueKernelHandle readEnd;
    UniqueKernelHandle writeEnd;
    if (captured && !CreatePipe(readEnd.put(), writeEnd.put(), &inheritable, 0)) {
        ADD_FAILURE() << "CreatePipe failed";
        return run;
    }
    SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | (captured ? STARTF_USESTDHANDLES : 0);
    startup.wShowWindow = SW_HIDE;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();

    const std::wstring program = ToWide(programFolder) + L"Vexmira.exe";
    std::wstring commandLine = L"Vexmira.exe";
    if (!arguments.empty()) {
        commandLine += L" " + ToWide(arguments);
    }
    // In a job: the run ends with the test, however the test ends.
    const UniqueKernelHandle job = CreateKillOnCloseJob();
    UniqueKernelHandle processHandle;
    UniqueKernelHandle thread;
    DWORD processId = 0;
    if (!job.valid() ||
        !StartSuspendedInJob(job.get(), program, commandLine, captured,
                             captured ? 0 : CREATE_NEW_CONSOLE, ToWide(currentDirectory).c_str(),
                             startup, processHandle, thread, processId)) {
        ADD_FAILURE() << "cannot start Vexmira.exe: " << GetLastError();
        return run;
    }
    ResumeThread(thread.get());
    writeEnd.reset();  // the pipe ends when the child's copy closes

    // Read while it runs (its output is larger than a pipe's buffer), and once
    // more after it ended, but no longer than a run may take.
    const DWORD began = GetTickCount();
    bool ended = false;
    while (true) {
        DWORD available = 0;
        if (captured && PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr) &&
            available > 0) {
            char buffer[4096];
            DWORD read = 0;
            if (ReadFile(readEnd.get(), buffer, std::min<DWORD>(sizeof buffer, available), &read,
                         nullptr)) {
                run.output.append(buffer, read);
            }
            continue;
        }
        if (ended) {
            break;
        }
        ended = WaitForSingleObject(processHandle.get(), kPollMs) == WAIT_OBJECT_0;
        if (!ended && GetTickCount() - began >= kRunTimeoutMs) {
            ADD_FAILURE() << "Vexmira.exe did not end";
            return run;
        }
    }
    GetExitCodeProcess(processHandle.get(), &run.exitCode);
    return run;
}

std::u16string ShippedProgramFolder() {
    return BuildFolder(VEXMIRA_PROGRAM_DIR);
}

ProgramFolderCopy::ProgramFolderCopy(const std::u16string& source)
    : TempFolder(u"vexmira_program") {
    for (const char16_t* name : kShippedFiles) {
        EXPECT_TRUE(CopyFileW(WideCStr(source + name), WideCStr(File(name)), FALSE))
            << testing::PrintToString(std::u16string(name)) << " does not ship";
    }
}

std::vector<std::u16string> LogFilesIn(const std::u16string& folder) {
    return FilesIn(folder, u"vexmira_*.txt");
}

std::vector<std::u16string> ExpectedLogNames(const SYSTEMTIME& before, const SYSTEMTIME& after) {
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(computer, &length);
    return {LogName(computer, before), LogName(computer, after)};
}

testing::AssertionResult ContainsInOrder(const std::vector<std::string>& lines,
                                         const std::vector<std::string>& expected) {
    size_t at = 0;
    for (const std::string& line : expected) {
        while (at < lines.size() && lines[at] != line) {
            ++at;
        }
        if (at == lines.size()) {
            return testing::AssertionFailure() << "missing, or out of order: \"" << line << "\"";
        }
        ++at;
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult SameLog(const std::string& actual, const std::string& expected) {
    if (actual == expected) {
        return testing::AssertionSuccess();
    }
    size_t start = 0;
    size_t line = 1;
    while (true) {
        const size_t actualEnd = actual.find('\n', start);
        const size_t expectedEnd = expected.find('\n', start);
        const std::string actualLine = actual.substr(start, actualEnd - start);
        const std::string expectedLine = expected.substr(start, expectedEnd - start);
        if (actualLine != expectedLine || actualEnd != expectedEnd ||
            actualEnd == std::string::npos) {
            return testing::AssertionFailure()
                   << "logs differ at line " << line
                   << "\n  actual:   " << testing::PrintToString(actualLine)
                   << "\n  expected: " << testing::PrintToString(expectedLine);
        }
        start = actualEnd + 1;
        ++line;
    }
}
