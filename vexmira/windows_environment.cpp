#include "vexmira/windows_environment.h"

#include "adapters/vexmira_adapters.h"
#include "common/win/computer_name.h"
#include "vexmira/wgl_context.h"

LocalTime WindowsEnvironment::ReadLocalTime() {
    SYSTEMTIME time = {};
    GetLocalTime(&time);
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute};
}

std::u16string WindowsEnvironment::ReadComputerName() {
    return ::ReadComputerName();
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
