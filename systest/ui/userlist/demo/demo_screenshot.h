// A picture of a window as it appears on the screen, saved as a BMP file.
#pragma once

#include <windows.h>

#include <string>

// Lets the window finish painting, copies its screen area and writes a
// 24-bit BMP. False when the copy or the file fails.
bool SaveWindowScreenshot(HWND window, const std::wstring& file);
