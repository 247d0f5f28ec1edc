#include "systest/ui/tests/e2e/app_driver.h"

#include "common/tests/wine/job.h"
#include "common/text.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr DWORD kPollMs = 50;
constexpr UINT kTerminatedExitCode = 255;

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<ProcessWindows*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == found->processId && IsWindowVisible(window)) {
        found->windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

bool AppDriver::Start(const std::wstring& program, const std::wstring& arguments,
                      const std::wstring& workingDirectory) {
    job_ = CreateKillOnCloseJob();
    if (!job_.valid()) {
        return false;
    }
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + arguments;
    }
    // As Explorer starts a program: with no standard handles (Wine would
    // otherwise hand it those of the test program).
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    UniqueKernelHandle thread;
    if (!StartSuspendedInJob(job_.get(), program, commandLine, false, 0,
                             workingDirectory.empty() ? nullptr : workingDirectory.c_str(), startup,
                             process_, thread, processId_)) {
        return false;
    }
    ResumeThread(thread.get());
    return true;
}

std::vector<HWND> AppDriver::VisibleTopLevelWindows() const {
    ProcessWindows found{processId_, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

bool AppDriver::HasWindow(const std::wstring& caption) const {
    const std::vector<HWND> windows = VisibleTopLevelWindows();
    return std::any_of(windows.begin(), windows.end(),
                       [&](HWND window) { return WindowText(window) == caption; });
}

HWND AppDriver::WaitForWindow(const std::wstring& caption, DWORD timeoutMs) const {
    return WaitForMatchingWindow([&](HWND window) { return WindowText(window) == caption; },
                                 timeoutMs);
}

HWND AppDriver::WaitForWindowWithItem(int id, DWORD timeoutMs) const {
    return WaitForMatchingWindow([id](HWND window) { return GetDlgItem(window, id) != nullptr; },
                                 timeoutMs);
}

template <typename Matches>
HWND AppDriver::WaitForMatchingWindow(Matches matches, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        for (HWND window : VisibleTopLevelWindows()) {
            if (matches(window)) {
                return window;
            }
        }
        if (WaitForSingleObject(process_.get(), kPollMs) == WAIT_OBJECT_0) {
            return nullptr;
        }
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool AppDriver::WaitForExit(DWORD timeoutMs, DWORD& exitCode) const {
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    return GetExitCodeProcess(process_.get(), &exitCode) != FALSE;
}

void AppDriver::Terminate() const {
    if (!job_.valid()) {
        return;
    }
    TerminateJobObject(job_.get(), kTerminatedExitCode);
    const DWORD start = GetTickCount();
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    while (QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &accounting,
                                     sizeof accounting, nullptr) &&
           accounting.ActiveProcesses > 0 && GetTickCount() - start < kExitTimeoutMs) {
        Sleep(kPollMs);
    }
}

namespace {

struct WindowSearch {
    const std::wstring* text;
    HWND found;
};

BOOL CALLBACK FindWindowContaining(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    if (IsWindowVisible(window) && WindowText(window).find(*search->text) != std::wstring::npos) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForAnyWindowContaining(const std::wstring& text, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        WindowSearch search{&text, nullptr};
        EnumWindows(FindWindowContaining, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(kPollMs);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string Utf8(const std::wstring& text) {
    return Utf8FromUtf16(FromWide(text));
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

void ClickButton(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PressKey(HWND dialog, UINT virtualKey) {
    // Posted, so the program's own loop (and its dialog navigation) sees it.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
    const HWND target = thread.hwndFocus != nullptr ? thread.hwndFocus : dialog;
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void SendKey(WORD virtualKey, bool down) {
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = virtualKey;
    key.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &key, sizeof key);
}

void TypeKey(WORD virtualKey, WORD modifier) {
    if (modifier != 0) {
        SendKey(modifier, true);
    }
    SendKey(virtualKey, true);
    SendKey(virtualKey, false);
    if (modifier != 0) {
        SendKey(modifier, false);
    }
}

bool WaitForFocus(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread) &&
            thread.hwndFocus == window) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(20);
    }
}

bool IsItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != 0;
}

int ListBoxCount(HWND dialog, int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, id), LB_GETCOUNT, 0, 0));
}

// The disk row names the fixed drive with the most free space: under Wine, C:
// and Z: lie on one Linux file system whose free space moves while other
// programs write, so between two runs that letter alone may change. The last
// line names Vexmira's log by the minute it ran in.
std::string MaskVaryingFacts(std::string report) {
    for (size_t i = 0; i + 3 < report.size(); ++i) {
        if (report[i] == ' ' && std::isupper(static_cast<unsigned char>(report[i + 1])) &&
            report[i + 2] == ':' && report[i + 3] == ' ') {
            report[i + 1] = '?';
        }
    }
    const size_t log = report.rfind(".txt\r\n");
    if (log != std::string::npos && log >= 4 &&
        report.rfind("Vexmira log: ") != std::string::npos) {
        report.replace(log - 4, 4, "????");
    }
    return report;
}
