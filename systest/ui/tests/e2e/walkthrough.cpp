// Walks through QuarvelSysTest.exe as a user would when no one is at the
// screen: accepts the agreement, lets the checks run, captures both dialogs,
// opens the report and prints it, and closes the program with OK. It waits
// as long as the 32-bit release takes.
//
//   walkthrough <program folder> <output folder>
//
// The captures are <output folder>\agreement.bmp and main.bmp. The exit code
// is 0 when the walk succeeded.
#include "systest/ui/tests/e2e/app_driver.h"
#include "systest/ui/tests/e2e/bundle_folder.h"

#include "common/win/screenshot.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"
#include "systest/resources/resource.h"

#include <cstdio>
#include <string>

namespace {

std::wstring WithBackslash(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    return folder;
}

// Captures a window once it has drawn itself: a window may be visible a
// moment before its first paint, and larger windows (at a high DPI) take
// longer.
void SaveDrawnWindow(HWND window, const std::wstring& file) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, kDefaultTimeoutMs, &ignored);
    SaveWindowScreenshot(window, file);
}

int Fail(const char* what) {
    std::fprintf(stderr, "walkthrough: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        return Fail("usage: walkthrough <program folder> <output folder>");
    }
    const std::wstring folder = WithBackslash(argv[1]);
    const std::wstring output = WithBackslash(argv[2]);
    // The program draws at the screen's DPI; the captures take its windows'
    // real pixels only when this process works in them too.
    SetProcessDPIAware();

    AppDriver app;
    if (!app.Start(folder + L"QuarvelSysTest.exe", L"", folder)) {
        return Fail("cannot start QuarvelSysTest.exe");
    }
    // The pages in whichever language the program chose.
    const HWND agreement = app.WaitForWindowWithItem(IDC_ACCEPT_BOX, kX86TimeoutMs);
    if (agreement == nullptr) {
        app.Terminate();
        return Fail("no agreement page");
    }
    std::printf("Agreement page: %s\n", Utf8(WindowText(agreement)).c_str());
    SaveDrawnWindow(agreement, output + L"agreement.bmp");

    ClickButton(agreement, IDC_ACCEPT_BOX);
    ClickButton(agreement, IDOK);
    const HWND main = app.WaitForWindowWithItem(IDC_REPORT_BUTTON, kX86TimeoutMs);
    if (main == nullptr) {
        app.Terminate();
        return Fail("no main dialog");
    }
    std::printf("Main dialog: %s\n", Utf8(WindowText(main)).c_str());
    SaveDrawnWindow(main, output + L"main.bmp");

    DeleteFileW(ReportFilePath().c_str());
    ClickButton(main, IDC_REPORT_BUTTON);
    if (const HWND viewer = WaitForAnyWindowContaining(L"QuarvelSysTest.txt", kX86TimeoutMs)) {
        PostMessageW(viewer, WM_CLOSE, 0, 0);
    }
    const std::string report = ReadBytes(FromWide(ReportFilePath()));
    if (!report.empty()) {
        std::printf("Report %s:\n%s\n", Utf8(ReportFilePath()).c_str(), report.c_str());
    } else {
        std::printf("No report was written.\n");
    }

    ClickButton(main, IDOK);
    DWORD exitCode = 0;
    if (!app.WaitForExit(kX86TimeoutMs, exitCode)) {
        app.Terminate();
        return Fail("the program did not end");
    }
    std::printf("QuarvelSysTest.exe ended with exit code %lu.\n", exitCode);
    return exitCode == 1 ? 0 : 1;
}
