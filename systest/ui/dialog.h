// A modeless dialog bound to its window: CreateDialogParamW hands the object to
// the dialog procedure, which keeps it with the window and gives every message
// to the object's table of handlers, tried in order.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class Dialog {
  public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // Destroys the window if it is still there.
    virtual ~Dialog();

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

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

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
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
