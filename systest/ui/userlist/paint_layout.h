// Where the painting of the list puts things: which rows and cells reach into
// the area being painted, text and image positions in cells and header cells,
// the progress bar, the rubber band and the gradient of the progress fill.
// The window layer draws at these positions with GDI. The lengths below are
// pixels at 96 DPI; the layout scales them with the list's metrics.
#pragma once

#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/list_geometry.h"
#include "systest/ui/userlist/list_metrics.h"

#include <cstdint>
#include <span>
#include <vector>

// Text starts this far right of a cell's left edge in the first column ...
inline constexpr int32_t kFirstColumnIndent = 4;
// ... and this far in the others.
inline constexpr int32_t kColumnIndent = 3;
// Cell texts keep this distance from every edge of what remains.
inline constexpr int32_t kCellTextInset = 4;
// Between an image and the text after it.
inline constexpr int32_t kImageTextGap = 4;
// A cell this wide is a placeholder and is not painted.
inline constexpr int32_t kPlaceholderColumnWidth = 1;

struct RowToPaint {
    int32_t row = 0;
    ListRect rect;
};

// The rows that reach into the clip box (client coordinates), top to bottom.
// A row spans the columns as they are scrolled.
std::vector<RowToPaint> RowsToPaint(const ListGeometry& geometry, const ListRect& clip);

struct CellToPaint {
    int32_t column = 0;
    ListRect rect;  // its right edge is the divider pixel, which is not the cell's
};

// The cells of a row that reach into the clip box, left to right. Placeholder
// columns are skipped; a FormatCutOff column ends the row.
std::vector<CellToPaint> CellsToPaint(std::span<const ListColumn> columns, const ListRect& row,
                                      const ListRect& clip);

// The text area of a cell before any image takes its room.
ListRect CellTextRect(const ListRect& cell, int32_t column, const ListMetrics& metrics);

// An image at (x, y), cut at a right and bottom edge. Nothing is drawn when
// the cut leaves no pixel (a zero width would mean "whole image" to GDI).
struct ImagePlacement {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;

    bool IsVisible() const { return width > 0 && height > 0; }
    friend bool operator==(const ImagePlacement&, const ImagePlacement&) = default;
};

ImagePlacement ClipImage(int32_t x, int32_t y, int32_t size, int32_t right, int32_t bottom);
// The start that centres a length in the span from `from` to `to`.
int32_t CentreIn(int32_t from, int32_t to, int32_t length);

// A row image: at the text's left, or centred when the cell has no text.
ImagePlacement PlaceRowImage(const ListRect& text, const ListRect& cell, bool textEmpty,
                             const ListMetrics& metrics);
// A check mark: centred in the text area (one pixel left of centre).
ImagePlacement PlaceCheckImage(const ListRect& text, const ListRect& cell,
                               const ListMetrics& metrics);

// The control image of a check or three-state cell for its value.
int32_t CheckImageIndex(int32_t format, int32_t value);

struct ProgressLayout {
    ListRect outer;  // rounded frame in the shadow colour
    ListRect inner;  // rounded frame in the face colour
    ListRect fill;   // the bar; empty at 0 %
};

ProgressLayout LayoutProgress(const ListRect& cell, double percent, const ListMetrics& metrics);

struct HeaderCellLayout {
    ListRect text;
    bool arrowAllowed = false;  // sorting is on and the cell has room for an arrow
    bool sortColumn = false;    // the arrow is shown here
};

HeaderCellLayout LayoutHeaderCell(const ListRect& cell, int32_t columnIndex,
                                  const ListColumn& column, bool sortEnabled, int32_t sortSubItem,
                                  const ListMetrics& metrics);
// A header image: at the text's left, or centred when the title is empty;
// kept off the divider.
ImagePlacement PlaceHeaderImage(const ListRect& text, const ListRect& cell, bool titleEmpty,
                                const ListMetrics& metrics);
ImagePlacement PlaceSortArrow(const ListRect& text, const ListRect& cell, int32_t headerHeight,
                              const ListMetrics& metrics);

struct RubberBandLayout {
    ListRect frame;  // the band, kept inside the client area at the ends of the content
    ListRect fill;   // the part over the rows
};

// band: the rubber band in client coordinates.
RubberBandLayout LayoutRubberBand(const ListRect& band, const ListGeometry& geometry);

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Column `index` of `count` of a left-to-right gradient from `from` to `to`.
Rgb GradientColour(Rgb from, Rgb to, int32_t index, int32_t count);
