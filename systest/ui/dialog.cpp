#include "systest/ui/dialog.h"

#include "common/win/wide.h"

Dialog::~Dialog() {
    LeaveMessageLoop();
    if (window_ != nullptr) {
        // The derived dialog is gone already: the window's last messages must
        // not reach its handlers, so the window is unbound before it goes.
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
}

bool Dialog::CreateFromTemplate(HMODULE module, int templateId) {
    return CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), nullptr, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr) {
        return FALSE;
    }
    if (message == WM_DESTROY) {
        dialog->LeaveMessageLoop();
    }
    LRESULT result = 0;
    const bool handled = dialog->Messages().Route(*dialog, {message, wParam, lParam}, result);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
    }
    if (!handled) {
        return FALSE;
    }
    // WM_INITDIALOG answers with its own return value; every other message
    // hands its result over in DWLP_MSGRESULT.
    if (message == WM_INITDIALOG) {
        return static_cast<INT_PTR>(result);
    }
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

void Dialog::CenterOnWorkArea() const {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT bounds{};
    GetWindowRect(window_, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int x = workArea.left + (workArea.right - workArea.left - width) / 2;
    const int y = workArea.top + (workArea.bottom - workArea.top - height) / 2;
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::SetItemText(int id, const std::u16string& text) const {
    SetDlgItemTextW(window_, id, WideCStr(text));
}

void Dialog::JoinMessageLoop(MessageLoop& loop) {
    LeaveMessageLoop();
    loop.AddMessageFilter(*this);
    loop_ = &loop;
}

void Dialog::LeaveMessageLoop() {
    if (loop_ != nullptr) {
        loop_->RemoveMessageFilter(*this);
        loop_ = nullptr;
    }
}

void Dialog::DestroyDialog() const {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void Dialog::Close(int quitCode) {
    DestroyWindow(window_);
    PostQuitMessage(quitCode);
}

bool Dialog::PreTranslateMessage(MSG& message) {
    return IsDialogMessageW(window_, &message) != FALSE;
}
