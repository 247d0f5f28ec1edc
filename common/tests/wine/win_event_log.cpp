#include "common/tests/wine/win_event_log.h"

#include <algorithm>

namespace {

WinEventLog* current = nullptr;

}  // namespace

void PrintTo(const WinEventEntry& entry, std::ostream* os) {
    *os << "{event 0x" << std::hex << entry.event << std::dec << ", object " << entry.object
        << ", child " << entry.child << "}";
}

WinEventLog::WinEventLog(HWND window, DWORD firstEvent, DWORD lastEvent) : window_(window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const bool here = process == GetCurrentProcessId();
    current = this;
    hook_ = SetWinEventHook(firstEvent, lastEvent, here ? GetModuleHandleW(nullptr) : nullptr,
                            &Record, process, 0, here ? WINEVENT_INCONTEXT : WINEVENT_OUTOFCONTEXT);
}

WinEventLog::~WinEventLog() {
    if (hook_ != nullptr) {
        UnhookWinEvent(hook_);
    }
    current = nullptr;
}

void CALLBACK WinEventLog::Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                  DWORD, DWORD) {
    if (current != nullptr && window == current->window_) {
        current->entries_.push_back({event, object, child});
    }
}

bool WinEventLog::WaitFor(const WinEventEntry& entry, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        if (std::find(entries_.begin(), entries_.end(), entry) != entries_.end()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}
