// A DLL as anyone may leave one in a download folder: when any of its code
// runs, it leaves a file "<its own path>.ran" beside itself. It carries the
// English string table, so as a language library it is a good one, and it
// exports the functions our programs once imported from oleacc.dll and
// opengl32.dll, so as either it satisfies a program that imports them.
// Windows' own declarations of the OpenGL functions (wingdi.h) would clash
// with these.
#define NOGDI
#include <windows.h>

namespace {

void LeaveMarker(HINSTANCE self) {
    wchar_t path[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return;
    }
    lstrcatW(path, L".ran");
    const HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker != INVALID_HANDLE_VALUE) {
        CloseHandle(marker);
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        LeaveMarker(self);
    }
    return TRUE;
}

// The stand-ins of the imports; none is ever meant to be called.
extern "C" {
__declspec(dllexport) LONG WINAPI CreateStdAccessibleObject(HWND, LONG, const GUID*, void**) {
    return E_NOTIMPL;
}
__declspec(dllexport) LRESULT WINAPI LresultFromObject(const GUID*, WPARAM, void*) {
    return 0;
}
__declspec(dllexport) const unsigned char* WINAPI glGetString(unsigned) {
    return nullptr;
}
__declspec(dllexport) HGLRC WINAPI wglCreateContext(HDC) {
    return nullptr;
}
__declspec(dllexport) BOOL WINAPI wglDeleteContext(HGLRC) {
    return FALSE;
}
__declspec(dllexport) HGLRC WINAPI wglGetCurrentContext() {
    return nullptr;
}
__declspec(dllexport) PROC WINAPI wglGetProcAddress(LPCSTR) {
    return nullptr;
}
__declspec(dllexport) BOOL WINAPI wglMakeCurrent(HDC, HGLRC) {
    return FALSE;
}
}
