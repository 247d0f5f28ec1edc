#include "systest/ui/userlist/win/list_visuals.h"

#include "systest/ui/userlist/win/list_resources.h"

#include <algorithm>
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

bool LoadListImages(HINSTANCE module, const ListMetrics& metrics, ListImages& images) {
    images.controls = LoadImageStrip(module, kListImageBitmaps, metrics);
    if (!images.controls) {
        return false;
    }
    images.resize.reset(LoadOwnCursor(module, IDC_LIST_RESIZE_CURSOR));
    if (!images.resize) {
        return false;
    }
    images.link.reset(LoadOwnCursor(module, IDC_LIST_LINK_CURSOR));
    return images.link.valid();
}

UniqueImageList LoadImageStrip(HINSTANCE module, const int (&bitmaps)[std::size(kImageSizes)],
                               const ListMetrics& metrics) {
    // A size not drawn takes the smallest bitmap.
    const auto* found =
        std::find(std::begin(kImageSizes), std::end(kImageSizes), metrics.imageSize);
    const size_t size = found == std::end(kImageSizes) ? 0 : found - std::begin(kImageSizes);
    return UniqueImageList(ImageList_LoadImageW(module, MAKEINTRESOURCEW(bitmaps[size]),
                                                metrics.imageSize, 0, kMaskColour, IMAGE_BITMAP,
                                                LR_CREATEDIBSECTION));
}
