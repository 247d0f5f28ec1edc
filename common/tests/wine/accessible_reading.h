// What a screen reader reads of a window: its accessible object and the
// name, role and state of the object or one of its children.
#pragma once

#include "common/win/com.h"

#include <windows.h>

#include <oleacc.h>

#include <string>

VARIANT ChildId(LONG id);
// The object of the window's client area, as AccessibleObjectFromWindow gives
// it; null when there is none.
ComPtr<IAccessible> AccessibleOf(HWND window);
// "<none>" when the object has no name for the child.
std::wstring NameOf(IAccessible& object, LONG child);
// -1 when the call fails.
LONG RoleOf(IAccessible& object, LONG child);
LONG StateOf(IAccessible& object, LONG child);
