#include "systest/ui/userlist/list_visuals.h"

#include "systest/resources/resource.h"

#include <cstddef>

namespace {

// NONCLIENTMETRICSW without iPaddedBorderWidth, which Windows before Vista
// rejects: 500 bytes.
constexpr UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

constexpr COLORREF kMaskColour = RGB(255, 0, 255);

HCURSOR LoadOwnCursor(HINSTANCE module, int id) {
    return static_cast<HCURSOR>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, 0));
}

// lfMessageFont of SPI_GETNONCLIENTMETRICS, queried in the size every Windows
// version accepts.
bool ReadMessageFont(LOGFONTW& font) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
        return false;
    }
    font = metrics.lfMessageFont;
    return true;
}

}  // namespace

ListColours ReadListColours() {
    ListColours colours;
    colours.window = GetSysColor(COLOR_WINDOW);
    colours.headerFace = GetSysColor(COLOR_BTNFACE);
    colours.headerLight = GetSysColor(COLOR_BTNHIGHLIGHT);
    colours.headerShadow = GetSysColor(COLOR_BTNSHADOW);
    colours.headerText = GetSysColor(COLOR_WINDOWTEXT);
    colours.pressedHeader = RGB(130, 140, 180);
    colours.selection = GetSysColor(COLOR_HIGHLIGHT);
    colours.selectionText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    colours.rowText = GetSysColor(COLOR_WINDOWTEXT);
    colours.progressLight = RGB(170, 240, 170);
    colours.progressDark = RGB(45, 210, 50);
    colours.focusCell = RGB(180, 190, 210);
    colours.link = RGB(0, 0, 200);
    return colours;
}

UniqueFont CreateMessageFont() {
    LOGFONTW font{};
    if (!ReadMessageFont(font)) {
        return UniqueFont();
    }
    return UniqueFont(CreateFontIndirectW(&font));
}

bool CreateListFonts(ListFonts& fonts) {
    LOGFONTW font{};
    if (!ReadMessageFont(font)) {
        return false;
    }
    fonts.list.reset(CreateFontIndirectW(&font));
    if (!fonts.list) {
        return false;
    }
    font.lfUnderline = TRUE;
    fonts.link.reset(CreateFontIndirectW(&font));
    return fonts.link.valid();
}

bool LoadListImages(HINSTANCE module, ListImages& images) {
    images.rows = LoadImageStrip(module, IDB_STATUS_IMAGES);
    if (!images.rows) {
        return false;
    }
    images.controls = LoadImageStrip(module, IDB_CONTROL_IMAGES);
    if (!images.controls) {
        return false;
    }
    images.resize.reset(LoadOwnCursor(module, IDC_RESIZE_CURSOR));
    if (!images.resize) {
        return false;
    }
    images.link.reset(LoadOwnCursor(module, IDC_LINK_CURSOR));
    return images.link.valid();
}

UniqueImageList LoadImageStrip(HINSTANCE module, int bitmapId) {
    return UniqueImageList(ImageList_LoadImageW(module, MAKEINTRESOURCEW(bitmapId), kListImageSize,
                                                0, kMaskColour, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}
