// Input that came while the program could not take it.
#pragma once

#include <windows.h>

// Removes the keyboard and mouse messages waiting in the thread's queue,
// posted ones among them, without acting on them: keys typed and clicks made
// while the program was busy must not act on the window that takes input
// next. Removing a mouse message sends WM_SETCURSOR to the window under the
// cursor, as taking it would, so a busy window keeps showing its wait cursor.
inline void DiscardQueuedInput() {
    struct Range {
        UINT first;
        UINT last;
    };
    // Typed keys and the characters they gave, and mouse messages over the
    // client and the non-client areas (the caption's close box among them).
    constexpr Range kInput[] = {{WM_KEYFIRST, WM_KEYLAST},
                                {WM_MOUSEFIRST, WM_MOUSELAST},
                                {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
    MSG message;
    for (const Range& range : kInput) {
        while (PeekMessageW(&message, nullptr, range.first, range.last, PM_REMOVE)) {
        }
    }
}
