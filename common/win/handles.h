// RAII owners of Win32 kernel, registry, module, window, menu and memory handles. Each alias says
// in its name what it releases; none of them can be copied.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }

    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) {
        if (valid()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }
    // For functions that return a handle through an output parameter.
    Handle* put() {
        reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

// CreateFileW reports failure as INVALID_HANDLE_VALUE.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

// Process, thread and event handles report failure as null.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;

// FindFirstFileW reports failure as INVALID_HANDLE_VALUE too; FindClose ends the search.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { FindClose(handle); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle key) { RegCloseKey(key); }
};
using UniqueRegKey = UniqueHandle<RegKeyTraits>;

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle module) { FreeLibrary(module); }
};
using UniqueLibrary = UniqueHandle<LibraryTraits>;

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle window) { DestroyWindow(window); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

// A menu that no window owns (a context menu's popup).
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle menu) { DestroyMenu(menu); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

// Movable global memory, until the clipboard takes it over.
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle memory) { GlobalFree(memory); }
};
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;

// A pointer to a Windows API function of the given signature, e.g.
// WinApiFunction<BOOL(MEMORYSTATUSEX*)>. It carries the API's calling
// convention (WINAPI, __stdcall on x86): through a pointer without it, a
// 32-bit program would clean the arguments off the stack a second time.
template <typename Signature>
struct WinApiPointer;
template <typename Result, typename... Arguments>
struct WinApiPointer<Result(Arguments...)> {
    using Type = Result(WINAPI*)(Arguments...);
};
template <typename Signature>
using WinApiFunction = typename WinApiPointer<Signature>::Type;

// A function of a loaded library by name; null when the library or the
// function is missing.
template <typename Signature>
WinApiFunction<Signature> LibraryFunction(HMODULE library, const char* name) {
    if (library == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<WinApiFunction<Signature>>(
        reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// A function of a loaded system DLL that older Windows versions lack, resolved
// by name; null when the DLL or the function is missing.
template <typename Signature>
WinApiFunction<Signature> ResolveFunction(const wchar_t* module, const char* name) {
    return LibraryFunction<Signature>(GetModuleHandleW(module), name);
}
