// A modeless dialog bound to its window: CreateDialogParamW hands the object to
// the dialog procedure, which keeps it with the window and routes every message
// through the table of the derived dialog's class (common/win/message_map.h).
#pragma once

#include "common/win/message_map.h"
#include "systest/ui/message_loop.h"

#include <windows.h>

#include <string>

class Dialog : private MessageFilter {
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

    // The table of the derived dialog's class. What no row takes goes to the
    // dialog manager. A WM_INITDIALOG handler returns TRUE to let the dialog
    // manager set the focus.
    virtual MessageTable<Dialog> Messages() const = 0;

    // Centres the dialog on the work area of the primary screen.
    void CenterOnWorkArea() const;
    void SetItemText(int id, const std::u16string& text) const;

    // Takes part in the message loop until the window is destroyed: the loop
    // passes each message to IsDialogMessageW for the dialog (keyboard
    // navigation).
    void JoinMessageLoop(MessageLoop& loop);
    // Destroys the dialog and ends the message loop with the quit code.
    void Close(int quitCode);

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    bool PreTranslateMessage(MSG& message) override;
    void LeaveMessageLoop();

    HWND window_ = nullptr;
    MessageLoop* loop_ = nullptr;  // the loop the dialog takes part in
};
