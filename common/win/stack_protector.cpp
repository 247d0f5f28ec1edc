// The stack protector's guard value and its failure, linked into every program
// we ship (qst_reproducible_program). GCC's own run-time for them, libssp,
// would set the guard in a constructor through CryptAcquireContextA, loading a
// cryptographic provider DLL before main, before the program narrows its DLL
// search (common/win/library_loading.h); this one mixes values that need no
// DLL, as Visual C++ seeds its security cookie.
#include <windows.h>

#include <cstdint>

extern "C" {

// Every protected function keeps a copy of it below its return address and
// compares the two before it returns. Until the constructor below replaces
// it, it holds this value; a program that another loads as a library (the
// export GetOSDisplayString) keeps it.
uintptr_t __stack_chk_guard = static_cast<uintptr_t>(0x2B992DDFA232ULL);

// A protected function found its copy overwritten: the stack is no longer to
// be trusted, so nothing more of the program runs, no handler and no
// destructor. The exit code is the one Windows gives an overrun stack buffer.
[[noreturn]] void __stack_chk_fail() {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_STACK_BUFFER_OVERRUN));
    __builtin_trap();
}

}  // extern "C"

namespace {

// The first constructor of the program (priority 101 comes before every
// other), run before main and before any protected function of ours: none is
// on the stack while the value changes. It is not protected itself.
__attribute__((constructor(101), no_stack_protector)) void SeedStackGuard() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER counter{};
    QueryPerformanceCounter(&counter);
    uint64_t seed = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    seed ^= static_cast<uint64_t>(counter.QuadPart);
    seed ^= static_cast<uint64_t>(GetCurrentProcessId()) << 16;
    seed ^= static_cast<uint64_t>(GetCurrentThreadId()) << 40;
    seed ^= GetTickCount();
    // Where the stack lies differs from run to run (ASLR).
    seed ^= static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&seed)) << 8;
    const auto guard = static_cast<uintptr_t>(seed ^ (seed >> 32));
    if (guard != 0) {
        __stack_chk_guard = guard;
    }
}

}  // namespace
