#include "systest/ui/window_icons.h"

namespace {

HICON LoadIconOfSize(HINSTANCE module, int iconId, int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), 0));
}

}  // namespace

void WindowIcons::Apply(HWND window, HINSTANCE module, int iconId) {
    large_.reset(LoadIconOfSize(module, iconId, SM_CXICON, SM_CYICON));
    small_.reset(LoadIconOfSize(module, iconId, SM_CXSMICON, SM_CYSMICON));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_.get()));
}
