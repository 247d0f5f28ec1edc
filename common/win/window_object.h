// Windows as small C++ objects: an object takes over the procedure of its
// window (subclassing, the previous procedure kept for everything it does not
// handle) and routes messages through the table of its class (message_map.h).
#pragma once

#include "common/win/message_map.h"

#include <windows.h>

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
    // Unbinds the object; the window lives on without it. When another
    // procedure has subclassed the window since, ours stays in the chain (so
    // that procedure keeps its place) and passes every message on to the one
    // before it until the window is destroyed.
    void Detach();

  protected:
    // The table of the derived window's class.
    virtual MessageTable<SubclassedWindow> Messages() const = 0;
    // Every message of the window: the row of the table that takes it, else
    // the previous procedure. A window that must see every message before its
    // rows do overrides it and calls this one.
    virtual LRESULT HandleMessage(const WindowMessage& message);
    // The message being handled, passed on to the previous procedure: what a
    // handler calls to let the window's own class do its part.
    LRESULT CallPrevious() const;
    // The message being handled as it came, for handlers that pass it on.
    const WindowMessage& CurrentMessage() const { return *current_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    const WindowMessage* current_ = nullptr;  // the message HandleMessage is handling
};
