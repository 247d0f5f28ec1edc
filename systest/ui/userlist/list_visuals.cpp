#include "systest/ui/userlist/list_visuals.h"

#include "systest/resources/resource.h"

#include <cstddef>

namespace {

// NONCLIENTMETRICSW without iPaddedBorderWidth, which Windows before Vista
// rejects: 500 bytes.
constexpr UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// The bitmaps of each size the strips are drawn in.
struct StripBitmaps {
    int32_t size;
    int status;
    int controls;
};
constexpr StripBitmaps kStripBitmaps[] = {
    {16, IDB_STATUS_IMAGES, IDB_CONTROL_IMAGES},
    {20, IDB_STATUS_IMAGES_20, IDB_CONTROL_IMAGES_20},
    {24, IDB_STATUS_IMAGES_24, IDB_CONTROL_IMAGES_24},
    {32, IDB_STATUS_IMAGES_32, IDB_CONTROL_IMAGES_32},
};

const StripBitmaps& BitmapsOfSize(int32_t size) {
    for (const StripBitmaps& bitmaps : kStripBitmaps) {
        if (bitmaps.size == size) {
            return bitmaps;
        }
    }
    return kStripBitmaps[0];
}

// A strip of square images from a bitmap of the module; invalid when it
// cannot be loaded.
UniqueImageList LoadImageStrip(HINSTANCE module, int bitmapId, int32_t size) {
    return UniqueImageList(ImageList_LoadImageW(module, MAKEINTRESOURCEW(bitmapId), size, 0,
                                                kMaskColour, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

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

bool LoadListImages(HINSTANCE module, const ListMetrics& metrics, ListImages& images) {
    images.rows = LoadStatusImages(module, metrics);
    if (!images.rows) {
        return false;
    }
    images.controls =
        LoadImageStrip(module, BitmapsOfSize(metrics.imageSize).controls, metrics.imageSize);
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

UniqueImageList LoadStatusImages(HINSTANCE module, const ListMetrics& metrics) {
    return LoadImageStrip(module, BitmapsOfSize(metrics.imageSize).status, metrics.imageSize);
}
