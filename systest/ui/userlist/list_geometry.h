// Where rows, columns and the header of the list lie, for a given client size,
// column set, row count and scroll position: hit tests, item and column
// rectangles, visibility and the scroll bar ranges. Pure arithmetic, so the
// window layer only fills in a ListGeometry and asks.
#pragma once

#include "systest/ui/userlist/list_column.h"

#include <cstdint>
#include <span>

struct ListRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }

    friend bool operator==(const ListRect&, const ListRect&) = default;
};

// The list's total width as its operations use it: the sum of the column
// widths minus 1 (-1 without columns). The sum stops at INT32_MAX however wide
// a caller makes its columns.
int32_t ColumnsTotalWidth(std::span<const ListColumn> columns);

// Column edges are summed in 64 bits and kept to 32 bits where they are
// stored: an edge beyond the range lies beyond every client area anyway.
int32_t ClampToInt32(int64_t value);

struct ListHit {
    bool hit = false;
    // Set as computed even on a miss: a row outside the rows, or on a miss
    // between columns the column count. -1 when the point is in the header.
    int32_t row = -1;
    int32_t column = -1;
};

// Bits of HeaderHit::flags.
enum HeaderHitFlags : uint32_t {
    HeaderOnDivider = 0x1,     // within the grip of a column's right divider
    HeaderDividerOwner = 0x2,  // the column left of the divider is the one resized
    HeaderHiddenColumn = 0x4,  // a zero-width column right of the divider is resized
};

struct HeaderHit {
    bool hit = false;
    int32_t column = -1;
    uint32_t flags = 0;  // HeaderHitFlags
};

// Scroll bar range and page; maximum 0 hides the bar.
struct ScrollRange {
    int32_t maximum = 0;
    int32_t page = 0;

    friend bool operator==(const ScrollRange&, const ScrollRange&) = default;
};

// What EnsureVisible would change.
struct ScrollPlan {
    bool visible = false;  // already fully visible: nothing to do
    bool setFirstRow = false;
    int32_t firstRow = 0;
    bool setScrollX = false;
    int32_t scrollX = 0;
};

// Divider grips reach this far left of a column's right edge ...
inline constexpr int32_t kDividerGripLeft = 5;
// ... and this far right of it.
inline constexpr int32_t kDividerGripRight = 4;

struct ListGeometry {
    std::span<const ListColumn> columns;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t rowHeight = 0;
    int32_t headerHeight = 0;
    bool showHeader = true;
    int32_t scrollX = 0;  // pixels
    int32_t scrollY = 0;  // pixels of content below the header
    int32_t rowCount = 0;
    int32_t totalWidth = 0;  // ColumnsTotalWidth, as cached by the control

    // Where the rows start: the header's height when it is shown, else 0.
    int32_t RowsTop() const { return showHeader ? headerHeight : 0; }
    // A row height of 0 (metrics not created) shows no rows: row 0 is first,
    // nothing is hit, and no division by it takes place.
    int32_t FirstVisibleRow() const;
    // Full rows below the header, plus a partly shown last row when partial;
    // at least 1.
    int32_t VisibleRowCount(bool partial) const;

    ListHit HitTest(int32_t x, int32_t y) const;
    HeaderHit HitTestHeader(int32_t x, int32_t y) const;

    // The header cell of a column in client coordinates; false out of range.
    bool ColumnRect(int32_t column, ListRect& rect) const;
    // Where a row lies, also when it is scrolled out of view: above the rows
    // or below the client area.
    ListRect RowRect(int32_t row) const;
    // A visible row (column -1) or one of its cells; false when the row is not
    // visible.
    bool ItemRect(int32_t row, int32_t column, ListRect& rect) const;
    // The row lies in the visible rows and, when focusCell and a column are
    // given, the column lies wholly within the client width.
    bool IsItemVisible(int32_t row, int32_t column, bool partial, bool focusCell) const;
    ScrollPlan EnsureVisible(int32_t row, int32_t column, bool focusCell) const;

    ScrollRange VerticalScroll() const;
    ScrollRange HorizontalScroll() const;
};
