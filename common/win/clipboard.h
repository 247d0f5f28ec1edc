// Text put on the clipboard, as every Windows program copies text.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <cstring>
#include <string_view>

// The clipboard while a window has it open.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) {
            CloseClipboard();
        }
    }
    bool IsOpen() const { return open_; }

  private:
    bool open_;
};

// Replaces what the clipboard holds with the text as CF_UNICODETEXT (Windows
// gives it to programs that ask for ANSI text too). A program that reads the
// clipboard (a clipboard manager) holds it open for a moment, so the call
// tries a few times. False when the clipboard stays held or memory runs out.
inline bool PutTextOnClipboard(HWND owner, std::wstring_view text) {
    constexpr int kTries = 5;
    constexpr DWORD kPauseMs = 20;
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t)));
    void* const bytes = memory ? GlobalLock(memory.get()) : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    std::memcpy(bytes, text.data(), text.size() * sizeof(wchar_t));
    static_cast<wchar_t*>(bytes)[text.size()] = L'\0';
    GlobalUnlock(memory.get());
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        const OpenedClipboard clipboard(owner);
        if (clipboard.IsOpen()) {
            if (!EmptyClipboard() || SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) {
                return false;
            }
            memory.release();  // the clipboard's now
            return true;
        }
        if (attempt < kTries) {
            Sleep(kPauseMs);
        }
    }
    return false;
}
