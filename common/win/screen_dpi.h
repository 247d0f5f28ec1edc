// The screen's DPI.
#pragma once

#include "common/win/gdi.h"

#include <windows.h>

// The system DPI (LOGPIXELSY of the screen), at which a program that declares
// DPI awareness draws; 0 when it cannot be read. GetDpiForWindow would be
// Windows 10's way and is not used: the programs start on Windows XP.
inline int ScreenDpi() {
    const WindowDc screen(nullptr);
    return screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
}
