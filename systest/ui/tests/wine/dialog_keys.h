// Keys pressed in a dialog as its message loop hands them over: through
// IsDialogMessageW first (Tab, Enter, Esc, mnemonics), to the control with the
// focus for what the dialog leaves alone.
#pragma once

#include <windows.h>

// message: WM_KEYDOWN for keys, WM_SYSCHAR for Alt and a mnemonic letter.
inline void PressDialogKey(HWND dialog, WPARAM key, UINT message = WM_KEYDOWN) {
    MSG press{};
    press.hwnd = GetFocus();
    press.message = message;
    press.wParam = key;
    if (!IsDialogMessageW(dialog, &press)) {
        DispatchMessageW(&press);
    }
}
