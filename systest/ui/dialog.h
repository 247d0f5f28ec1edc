// A modeless dialog bound to its window: CreateDialogParamW hands the object to
// the dialog procedure, which keeps it with the window and gives every message
// to the object's table of handlers, tried in order.
#pragma once

#include "systest/ui/message_loop.h"

#include <windows.h>

#include <cstddef>
#include <string>

class Dialog : private MessageFilter, private IdleHandler {
  public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // Leaves the message loop and destroys the window if it is still there;
    // the derived dialog's handlers no longer run then.
    virtual ~Dialog();

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    // Destroys the window, when it is still there; the object stays.
    void DestroyDialog() const;

  protected:
    Dialog() = default;

    // Creates the dialog, without owner, from a template of the module; false
    // when it cannot be created.
    bool CreateFromTemplate(HMODULE module, int templateId);

    // The derived dialog's handlers; false leaves the message to the dialog
    // manager's default processing. result is what the dialog procedure returns.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) = 0;

    // Centres the dialog on the work area of the primary screen.
    void CenterOnWorkArea() const;
    void SetItemText(int id, const std::u16string& text) const;

    // Takes part in the thread's message loop, when it has one: the loop
    // passes each message to IsDialogMessageW for the dialog (keyboard
    // navigation), and the dialog's idle handler does nothing.
    void JoinMessageLoop(MessageLoop* loop);
    void LeaveMessageLoop();
    // Destroys the dialog and ends the message loop with the quit code.
    void Close(int quitCode);

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool PreTranslateMessage(MSG& message) override;
    void OnIdle() override {}

    HWND window_ = nullptr;
    MessageLoop* loop_ = nullptr;  // the loop the dialog takes part in
};

// One row of a dialog class's handler table.
template <typename D>
struct DialogMessageHandler {
    UINT message;
    bool (D::*handle)(WPARAM wParam, LPARAM lParam, INT_PTR& result);
};

template <typename D, size_t N>
bool DispatchDialogMessage(D& dialog, const DialogMessageHandler<D> (&handlers)[N], UINT message,
                           WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    for (const DialogMessageHandler<D>& handler : handlers) {
        if (handler.message == message && (dialog.*handler.handle)(wParam, lParam, result)) {
            return true;
        }
    }
    return false;
}
