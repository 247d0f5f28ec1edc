// Stands in for Vexmira.exe in the launcher tests and the end-to-end tests:
// exits with the code the test puts into its environment, takes its time,
// hangs or crashes on request, and on request leaves a file in its current
// directory to show where it ran.
#include <windows.h>

#include <cwchar>

namespace {

bool IsSet(const wchar_t* name) {
    return GetEnvironmentVariableW(name, nullptr, 0) != 0;
}

}  // namespace

int main() {
    wchar_t marker[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"QST_STAND_IN_MARKER", marker, MAX_PATH) != 0) {
        const HANDLE file =
            CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
    }
    wchar_t delay[16] = {};
    if (GetEnvironmentVariableW(L"QST_STAND_IN_DELAY_MS", delay, 16) != 0) {
        Sleep(static_cast<DWORD>(std::wcstoul(delay, nullptr, 10)));  // a slow graphics driver
    }
    if (IsSet(L"QST_STAND_IN_HANG")) {
        Sleep(INFINITE);  // a driver that never returns
    }
    if (IsSet(L"QST_STAND_IN_CRASH")) {
        // A driver's access violation that nothing handles.
        RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    }
    wchar_t code[16] = {};
    if (GetEnvironmentVariableW(L"QST_STAND_IN_EXIT_CODE", code, 16) == 0) {
        return 0;
    }
    return static_cast<int>(std::wcstol(code, nullptr, 10));
}
