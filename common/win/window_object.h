// Windows as small C++ objects: an object takes over the procedure of its
// window (subclassing, the previous procedure kept for everything it does not
// handle) and routes messages through a table of handlers tried in order.
#pragma once

#include <windows.h>

#include <span>

struct WindowMessage {
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
};

// One row of a message table: the messages first..last go to the handler,
// which reports whether it handled the message and sets the result if so.
template <typename Window>
struct MessageRoute {
    UINT first;
    UINT last;
    bool (Window::*handle)(const WindowMessage& message, LRESULT& result);
};

// Tries the rows in order until one handles the message.
template <typename Window>
bool RouteMessage(Window& window, std::span<const MessageRoute<Window>> routes,
                  const WindowMessage& message, LRESULT& result) {
    for (const MessageRoute<Window>& route : routes) {
        if (message.id >= route.first && message.id <= route.last &&
            (window.*route.handle)(message, result)) {
            return true;
        }
    }
    return false;
}

class SubclassedWindow {
  public:
    SubclassedWindow() = default;
    // Gives the window its previous procedure back if it is still bound.
    virtual ~SubclassedWindow() { Detach(); }
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;

    HWND Window() const { return window_; }

    // Binds the object to an existing window, for example a dialog's control.
    // Fails when the object or the window is bound already.
    bool Attach(HWND window);
    // Creates a window and binds the object to it before its first message,
    // so WM_NCCREATE and WM_CREATE reach the object. For classes whose own
    // procedure is the previous one (DefWindowProcW for "UserList").
    HWND Create(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                const RECT& rect, HWND parent, UINT id);
    // Restores the previous procedure; the window lives on without the object.
    void Detach();

  protected:
    // The object's messages; call CallPrevious for what it does not handle.
    virtual LRESULT HandleMessage(const WindowMessage& message) = 0;
    LRESULT CallPrevious(const WindowMessage& message) const {
        return CallWindowProcW(previous_, window_, message.id, message.wParam, message.lParam);
    }
    // The usual HandleMessage of a derived Window: its table of handlers,
    // then the previous procedure for what none of them handled.
    template <typename Window>
    LRESULT RouteOrCallPrevious(std::span<const MessageRoute<Window>> routes,
                                const WindowMessage& message) {
        LRESULT result = 0;
        if (RouteMessage(static_cast<Window&>(*this), routes, message, result)) {
            return result;
        }
        return CallPrevious(message);
    }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
};
