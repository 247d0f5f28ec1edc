#include "vexmira/windows_environment.h"

#include "adapters/vexmira_adapters.h"
#include "common/win/wide.h"
#include "vexmira/wgl_context.h"

namespace {

// GetComputerNameW's NetBIOS name: 15 characters and the zero.
constexpr DWORD kComputerNameBufferSize = MAX_COMPUTERNAME_LENGTH + 1;

}  // namespace

LocalTime WindowsEnvironment::ReadLocalTime() {
    SYSTEMTIME time = {};
    GetLocalTime(&time);
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

std::u16string WindowsEnvironment::ReadComputerName() {
    wchar_t name[kComputerNameBufferSize] = {};
    DWORD length = kComputerNameBufferSize;
    if (!GetComputerNameW(name, &length)) {
        return {};
    }
    return FromWide(std::wstring_view(name, length));
}

bool WindowsEnvironment::IsRemoteSession() {
    return GetSystemMetrics(SM_REMOTESESSION) != 0;
}

void WindowsEnvironment::OpenLogFile(const std::u16string& fileName) {
    output_.RedirectToFile(fileName);
}

int WindowsEnvironment::SummarizeVideoAdapters(DiagnosticLog& log) {
    return ::SummarizeVideoAdapters(log);
}

int WindowsEnvironment::SearchCardList(const std::u16string& listPath, int mode,
                                       DiagnosticLog& log) {
    return ::SearchCardList(listPath, mode, log);
}

std::unique_ptr<HiddenWindow> WindowsEnvironment::CreateHiddenWindow() {
    return Win32HiddenWindow::Create(instance_);
}
