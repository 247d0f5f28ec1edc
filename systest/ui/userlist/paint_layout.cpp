#include "systest/ui/userlist/paint_layout.h"

#include <algorithm>
#include <cmath>

namespace {

// A header cell narrower than this has no room for a sort arrow.
constexpr int32_t kSortArrowMinCellWidth = 15;
// The room a sort arrow takes from the title.
constexpr int32_t kSortArrowRoom = 15;
// Header titles sit one pixel lower than the cell's centre.
constexpr int32_t kHeaderTextDrop = 1;
// Header titles keep this much room before the divider.
constexpr int32_t kHeaderTextRightInset = 5;
// Header images keep this distance from the divider.
constexpr int32_t kHeaderImageRightInset = 2;
// The sort arrow starts this far right of the title's room ...
constexpr int32_t kSortArrowGap = 4;
// ... and this far above the header's middle.
constexpr int32_t kSortArrowRise = 3;
// Check marks sit one pixel left of the centre.
constexpr int32_t kCheckImageShift = 1;

// The progress bar's outer frame is this far inside the cell ...
constexpr int32_t kProgressInsetX = 3;
constexpr int32_t kProgressInsetY = 2;
// ... its inner frame one pixel further, and the bar this far inside the inner frame.
constexpr int32_t kProgressFrameWidth = 1;
constexpr int32_t kProgressBarInset = 3;

ListRect Deflate(ListRect rect, int32_t dx, int32_t dy) {
    rect.left += dx;
    rect.right -= dx;
    rect.top += dy;
    rect.bottom -= dy;
    return rect;
}

}  // namespace

std::vector<RowToPaint> RowsToPaint(const ListGeometry& geometry, const ListRect& clip) {
    std::vector<RowToPaint> rows;
    if (geometry.rowHeight <= 0) {
        return rows;
    }
    ListRect rect;
    rect.left = -geometry.scrollX;
    rect.right = geometry.totalWidth;  // so the last client column of a selection is filled too
    rect.top = geometry.RowsTop();
    for (int32_t row = geometry.FirstVisibleRow(); row < geometry.rowCount; ++row) {
        rect.bottom = rect.top + geometry.rowHeight;
        if (rect.bottom >= clip.top && rect.right >= clip.left) {
            if (rect.top > clip.bottom || rect.left > clip.right) {
                break;
            }
            rows.push_back({row, rect});
        }
        rect.top = rect.bottom;
    }
    return rows;
}

std::vector<CellToPaint> CellsToPaint(std::span<const ListColumn> columns, const ListRect& row,
                                      const ListRect& clip) {
    std::vector<CellToPaint> cells;
    int64_t left = row.left;
    for (size_t i = 0; i < columns.size(); ++i) {
        const ListColumn& column = columns[i];
        const ListRect cell{ClampToInt32(left), row.top, ClampToInt32(left + column.width - 1),
                            row.bottom};
        left += column.width;
        if (cell.right < clip.left || column.width == kPlaceholderColumnWidth) {
            continue;
        }
        if (cell.left > clip.right || column.format == FormatCutOff) {
            break;
        }
        cells.push_back({static_cast<int32_t>(i), cell});
    }
    return cells;
}

ListRect CellTextRect(const ListRect& cell, int32_t column, const ListMetrics& metrics) {
    ListRect text = cell;
    text.left += metrics.Scale(column == 0 ? kFirstColumnIndent : kColumnIndent);
    const int32_t inset = metrics.Scale(kCellTextInset);
    return Deflate(text, inset, inset);
}

ImagePlacement ClipImage(int32_t x, int32_t y, int32_t size, int32_t right, int32_t bottom) {
    return {x, y, std::min(size, right - x), std::min(size, bottom - y)};
}

int32_t CentreIn(int32_t from, int32_t to, int32_t length) {
    return from + (to - from - length) / 2;
}

ImagePlacement PlaceRowImage(const ListRect& text, const ListRect& cell, bool textEmpty,
                             const ListMetrics& metrics) {
    const int32_t size = metrics.imageSize;
    // Centred in a cell narrower than the image it would reach into the
    // column to its left.
    const int32_t x =
        std::max(textEmpty ? CentreIn(text.left, text.right, size) : text.left, cell.left);
    return ClipImage(x, CentreIn(cell.top, cell.bottom, size), size, cell.right, cell.bottom);
}

ImagePlacement PlaceCheckImage(const ListRect& text, const ListRect& cell,
                               const ListMetrics& metrics) {
    const int32_t size = metrics.imageSize;
    const int32_t x = std::max(
        (text.left + text.right) / 2 - size / 2 - metrics.Scale(kCheckImageShift), cell.left);
    return ClipImage(x, CentreIn(cell.top, cell.bottom, size), size, cell.right, cell.bottom);
}

int32_t CheckImageIndex(int32_t format, int32_t value) {
    if (format == FormatTriState) {
        return value < 0    ? kListImageRedCross
               : value == 0 ? kListImageEmptyBox
                            : kListImageGreenTick;
    }
    return value > 0 ? kListImageBlueTick : kListImageEmptyBox;
}

ProgressLayout LayoutProgress(const ListRect& cell, double percent, const ListMetrics& metrics) {
    ProgressLayout layout;
    layout.outer = Deflate(cell, metrics.Scale(kProgressInsetX), metrics.Scale(kProgressInsetY));
    const int32_t frame = metrics.Scale(kProgressFrameWidth);
    layout.inner = Deflate(layout.outer, frame, frame);
    const int32_t barInset = metrics.Scale(kProgressBarInset);
    layout.fill = Deflate(layout.inner, barInset, barInset);
    const double share = std::clamp(percent, 0.0, 100.0) * 0.01;
    const int32_t width = std::max(layout.fill.Width(), 0);
    layout.fill.right = layout.fill.left + static_cast<int32_t>(std::trunc(width * share));
    return layout;
}

HeaderCellLayout LayoutHeaderCell(const ListRect& cell, int32_t columnIndex,
                                  const ListColumn& column, bool sortEnabled, int32_t sortSubItem,
                                  const ListMetrics& metrics) {
    HeaderCellLayout layout;
    layout.text = cell;
    layout.text.left += metrics.Scale(columnIndex == 0 ? kFirstColumnIndent : kColumnIndent);
    layout.text.top += metrics.Scale(kHeaderTextDrop);
    layout.text.bottom += metrics.Scale(kHeaderTextDrop);
    layout.arrowAllowed = sortEnabled && cell.Width() > metrics.Scale(kSortArrowMinCellWidth);
    layout.sortColumn = layout.arrowAllowed && !column.fixedWidth && column.subItem == sortSubItem;
    if (layout.sortColumn) {
        layout.text.right -= metrics.Scale(kSortArrowRoom);
    }
    layout.text.left += metrics.Scale(kCellTextInset);
    layout.text.right -= metrics.Scale(kHeaderTextRightInset);
    return layout;
}

ImagePlacement PlaceHeaderImage(const ListRect& text, const ListRect& cell, bool titleEmpty,
                                const ListMetrics& metrics) {
    const int32_t size = metrics.imageSize;
    const int32_t x =
        std::max(titleEmpty ? CentreIn(text.left, text.right, size) : text.left, cell.left);
    return ClipImage(x, CentreIn(cell.top, cell.bottom, size), size,
                     cell.right - metrics.Scale(kHeaderImageRightInset), cell.bottom);
}

ImagePlacement PlaceSortArrow(const ListRect& text, const ListRect& cell, int32_t headerHeight,
                              const ListMetrics& metrics) {
    return ClipImage(text.right + metrics.Scale(kSortArrowGap),
                     headerHeight / 2 - metrics.Scale(kSortArrowRise), metrics.imageSize,
                     cell.right, cell.bottom);
}

RubberBandLayout LayoutRubberBand(const ListRect& band, const ListGeometry& geometry) {
    RubberBandLayout layout;
    ListRect frame = band;
    const int32_t rowsTop = geometry.RowsTop();
    // At the ends of the content the band stops at the client edge instead of
    // reaching past it.
    const int32_t maxScrollX = geometry.totalWidth - 1 - geometry.clientWidth;
    if (geometry.scrollX > maxScrollX && frame.right > geometry.clientWidth) {
        frame.right = geometry.clientWidth;
    }
    if (geometry.scrollX == 0 && frame.left < 0) {
        frame.left = 0;
    }
    const int32_t contentHeight =
        std::max(geometry.headerHeight + geometry.rowCount * geometry.rowHeight, 1);
    if (geometry.scrollY > contentHeight + geometry.headerHeight - geometry.clientHeight &&
        frame.bottom > geometry.clientHeight) {
        frame.bottom = geometry.clientHeight;
    }
    if (geometry.scrollY == 0 && frame.top < geometry.headerHeight) {
        frame.top = geometry.headerHeight;
    }
    layout.frame = frame;
    layout.fill = {std::max(frame.left, 0), std::max(frame.top, rowsTop),
                   std::min(frame.right, geometry.clientWidth),
                   std::min(frame.bottom, geometry.clientHeight)};
    if (layout.fill.IsEmpty()) {
        layout.fill = {};
    }
    return layout;
}

Rgb GradientColour(Rgb from, Rgb to, int32_t index, int32_t count) {
    if (count <= 1) {
        return from;
    }
    const auto mix = [&](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(a + (b - a) * index / (count - 1));
    };
    return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue)};
}
