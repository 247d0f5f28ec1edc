#include "common/win/window_object.h"

#include <utility>

namespace {

// The window properties that lead from a window to its object, and to the
// procedure ours took over from (which outlives the object when ours cannot
// leave the chain, see Detach).
constexpr wchar_t kObjectProperty[] = L"QuarvelSysTest.WindowObject";
constexpr wchar_t kPreviousProperty[] = L"QuarvelSysTest.PreviousProcedure";

// The object that Create is binding, and its hook; one thread creates its own
// windows, so one slot per thread is enough.
thread_local SubclassedWindow* creatingObject = nullptr;
thread_local HHOOK creationHook = nullptr;

}  // namespace

bool SubclassedWindow::Attach(HWND window) {
    // A window still holds our procedure while an earlier object's link in its
    // chain remains: a second one there would hand messages to both objects.
    if (window_ != nullptr || window == nullptr || GetPropW(window, kObjectProperty) != nullptr ||
        GetPropW(window, kPreviousProperty) != nullptr) {
        return false;
    }
    if (!SetPropW(window, kObjectProperty, this)) {
        return false;
    }
    window_ = window;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    if (previous_ == nullptr ||
        !SetPropW(window, kPreviousProperty, reinterpret_cast<HANDLE>(previous_))) {
        if (previous_ != nullptr) {
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        }
        RemovePropW(window, kObjectProperty);
        window_ = nullptr;
        return false;
    }
    return true;
}

void SubclassedWindow::Detach() {
    if (window_ == nullptr) {
        return;
    }
    // Another procedure put in front of ours later would lose its place if the
    // previous one were restored; then only the link to the object goes, and
    // Procedure passes everything on to the previous procedure.
    if (GetWindowLongPtrW(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Procedure)) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(window_, kPreviousProperty);
    }
    RemovePropW(window_, kObjectProperty);
    window_ = nullptr;
}

LRESULT SubclassedWindow::HandleMessage(const WindowMessage& message) {
    LRESULT result = 0;
    return Messages().Route(*this, message, result) ? result : CallPrevious();
}

LRESULT SubclassedWindow::CallPrevious() const {
    return CallWindowProcW(previous_, window_, current_->id, current_->wParam, current_->lParam);
}

LRESULT CALLBACK SubclassedWindow::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && creatingObject != nullptr) {
        SubclassedWindow* object = std::exchange(creatingObject, nullptr);
        object->Attach(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

HWND SubclassedWindow::Create(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                              DWORD style, const RECT& rect, HWND parent, UINT id) {
    if (window_ != nullptr || creatingObject != nullptr) {
        return nullptr;
    }
    creationHook = SetWindowsHookExW(WH_CBT, &CreationHook, nullptr, GetCurrentThreadId());
    if (creationHook == nullptr) {
        return nullptr;
    }
    creatingObject = this;
    // A child window's menu handle is its id.
    const HMENU menu =
        (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND window = CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                  GetModuleHandleW(nullptr), nullptr);
    creatingObject = nullptr;
    UnhookWindowsHookEx(std::exchange(creationHook, nullptr));
    return window;
}

LRESULT CALLBACK SubclassedWindow::Procedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
    auto* object = static_cast<SubclassedWindow*>(GetPropW(window, kObjectProperty));
    if (object == nullptr) {
        // Detached while another procedure stays in front of ours.
        const auto previous = reinterpret_cast<WNDPROC>(GetPropW(window, kPreviousProperty));
        if (id == WM_NCDESTROY) {
            RemovePropW(window, kPreviousProperty);
        }
        return previous != nullptr ? CallWindowProcW(previous, window, id, wParam, lParam)
                                   : DefWindowProcW(window, id, wParam, lParam);
    }
    const WindowMessage message{id, wParam, lParam};
    // Messages nest (a handler sends one to its own window): each restores
    // the one it interrupted.
    const WindowMessage* interrupted = std::exchange(object->current_, &message);
    const LRESULT result = object->HandleMessage(message);
    object->current_ = interrupted;
    if (id == WM_NCDESTROY) {
        // The last message: the window goes, the object stays.
        object->Detach();
        RemovePropW(window, kPreviousProperty);
    }
    return result;
}
