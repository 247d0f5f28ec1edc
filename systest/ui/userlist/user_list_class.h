// The window class of the list control.
#pragma once

#include <windows.h>

inline constexpr wchar_t kUserListClassName[] = L"UserList";

// Registers "UserList" with DefWindowProcW as its procedure, so a dialog
// template can create the window before any control object is attached to it.
// Returns the class atom, 0 on failure (also when it is registered already).
ATOM RegisterUserListClass(HINSTANCE instance);
