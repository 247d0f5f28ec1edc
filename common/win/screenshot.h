// A picture of a window as it appears on the screen, saved as a BMP file: the
// demonstration list's screenshots and the end-to-end walkthrough's captures.
#pragma once

#include <windows.h>

#include <string>

// Copies the window's area of the screen as it is now and writes it as a
// 24-bit BMP. False when the window has no area or the copy or file fails.
bool SaveWindowScreenshot(HWND window, const std::wstring& file);
