// Closes the message boxes of the test's own process as they appear, from a
// thread of its own, and keeps their captions and texts: a test can then run
// code that shows real message boxes.
#pragma once

#include "common/win/wide.h"
#include "common/win/window_text.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class MessageBoxCloser {
  public:
    using Box = std::pair<std::u16string, std::u16string>;  // caption, text

    MessageBoxCloser() : thread_([this] { Run(); }) {}
    ~MessageBoxCloser() {
        stop_ = true;
        thread_.join();
    }
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    // The boxes closed so far, in the order they appeared. A box shown by a
    // call that has returned is among them.
    std::vector<Box> Boxes() {
        std::lock_guard lock(mutex_);
        return boxes_;
    }

  private:
    // The static control that holds a message box's text.
    static constexpr int kMessageBoxTextId = 0xFFFF;
    static constexpr DWORD kPollMilliseconds = 20;

    void Run() {
        while (!stop_) {
            EnumWindows(&MessageBoxCloser::Visit, reinterpret_cast<LPARAM>(this));
            Sleep(kPollMilliseconds);
        }
    }

    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        reinterpret_cast<MessageBoxCloser*>(self)->CloseIfMessageBox(window);
        return TRUE;
    }

    void CloseIfMessageBox(HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (process != GetCurrentProcessId() || std::wstring(className) != L"#32770" ||
            !IsWindowVisible(window) || closed_.count(window) != 0) {
            return;
        }
        {
            std::lock_guard lock(mutex_);
            boxes_.emplace_back(FromWide(WindowText(window)),
                                FromWide(WindowText(GetDlgItem(window, kMessageBoxTextId))));
        }
        closed_.insert(window);
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    }

    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::vector<Box> boxes_;
    std::set<HWND> closed_;  // only the closing thread uses it
    std::thread thread_;
};
