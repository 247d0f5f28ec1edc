// What the list control tells its parent: WM_NOTIFY with the control's id as
// wParam and a UserListNotify record as lParam.
#pragma once

#include "common/win/message_map.h"

#include <windows.h>

#include <cstdint>

struct UserListNotify {
    NMHDR hdr;        // the list window, its control id, the ULN_ code
    int32_t item;     // row; for clicks the hit-test row, -1 in the header
    int32_t subItem;  // sub-item of the column; 0 when no column was hit
    uint16_t key;     // the key that ended an edit; 0 to the parent
    // An editor's text, null when the user changed nothing; null to the parent.
    const wchar_t* text;
    const SYSTEMTIME* value;  // a date picker's value; null to the parent
};

// A selection operation added a row (clicks, keys, type-ahead).
inline constexpr UINT ULN_SELECTED = static_cast<UINT>(-1501);
// The left button was released, except at the end of a rubber-band selection.
inline constexpr UINT ULN_LEFTCLICK = static_cast<UINT>(-1502);
inline constexpr UINT ULN_RIGHTCLICK = static_cast<UINT>(-1503);
inline constexpr UINT ULN_DOUBLECLICK = static_cast<UINT>(-1504);
// From an in-place editor to the list only: the edit ended.
inline constexpr UINT ULN_ENDEDIT = static_cast<UINT>(-1505);
// An edit ended other than with Escape, or a check cell was toggled.
inline constexpr UINT ULN_MODIFIED = static_cast<UINT>(-1506);
// The left button went down on a link cell.
inline constexpr UINT ULN_LINKCLICK = static_cast<UINT>(-1507);

// The list sends the messages its child windows send to it (WM_COMMAND,
// WM_NOTIFY, owner-draw and colour messages) back to the child concerned as
// the message plus this offset, so a child can handle its own notifications.
inline constexpr UINT kReflectedMessageOffset = 0x2000;
inline constexpr UINT kReflectedNotify = WM_NOTIFY + kReflectedMessageOffset;

template <>
struct MessageArguments<kReflectedNotify> : message_arguments::Notify {};
