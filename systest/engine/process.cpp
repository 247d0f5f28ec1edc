#include "systest/engine/process.h"

#include "common/format.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <windows.h>

#include <vector>

namespace {

constexpr wchar_t kStartFailureCaption[] = L"lsystem";
constexpr int32_t kNotStarted = -1;

}  // namespace

std::u16string StartFailureText(const std::u16string& commandLine, uint32_t error) {
    return FormatString(u"error while starting: %s\nError: %d", {commandLine, error});
}

void StartFailureBox::Show(const std::u16string& text) {
    MessageBoxW(nullptr, WideCStr(text), kStartFailureCaption,
                MB_ICONWARNING | MB_TASKMODAL | MB_SETFOREGROUND);
}

int32_t RunProcess(bool newConsole, const std::u16string& commandLine, bool visible, bool wait,
                   StartFailureNotice& failure) {
    // CreateProcessW may write into the command line it is given.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!(newConsole && visible)) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE,
                        newConsole ? CREATE_NEW_CONSOLE : CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &started)) {
        failure.Show(StartFailureText(commandLine, GetLastError()));
        return kNotStarted;
    }
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    if (!wait) {
        return 0;
    }
    WaitForSingleObject(process.get(), INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return static_cast<int32_t>(exitCode);
}
