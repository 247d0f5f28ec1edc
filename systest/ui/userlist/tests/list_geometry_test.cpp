#include "systest/ui/userlist/list_geometry.h"

#include "systest/ui/userlist/tests/print_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int32_t kRow = 20;

// A list with the given column widths, 20-pixel rows and a 20-pixel header.
class Layout {
  public:
    Layout(std::vector<int32_t> widths, int32_t clientWidth, int32_t clientHeight, int32_t rows) {
        for (int32_t width : widths) {
            ListColumn column;
            column.width = width;
            column.subItem = static_cast<int32_t>(columns_.size());
            columns_.push_back(column);
        }
        geometry_.columns = columns_;
        geometry_.clientWidth = clientWidth;
        geometry_.clientHeight = clientHeight;
        geometry_.rowHeight = kRow;
        geometry_.headerHeight = kRow;
        geometry_.rowCount = rows;
        geometry_.totalWidth = ColumnsTotalWidth(columns_);
    }
    ListGeometry& operator*() { return geometry_; }
    ListGeometry* operator->() { return &geometry_; }

  private:
    std::vector<ListColumn> columns_;
    ListGeometry geometry_;
};

TEST(ColumnsTotalWidth, SumMinusOne) {
    EXPECT_EQ(ColumnsTotalWidth({}), -1);
    Layout layout({100, 50, 0}, 300, 200, 0);
    EXPECT_EQ(layout->totalWidth, 149);
}

// A caller may make columns as wide as an int allows: edges and totals stay
// in range (under UBSan an overflow ends the test).
TEST(ListGeometry, ColumnsNearIntMax) {
    constexpr int32_t kHuge = 0x7FFFFFF0;
    Layout layout({kHuge, kHuge, 10}, 300, 200, 3);
    EXPECT_EQ(layout->totalWidth, INT32_MAX - 1);
    EXPECT_EQ(layout->HorizontalScroll().maximum, INT32_MAX - 1);
    layout->scrollX = INT32_MAX - 300;
    ListRect rect;
    ASSERT_TRUE(layout->ColumnRect(1, rect));
    EXPECT_EQ(rect, (ListRect{kHuge - (INT32_MAX - 300), 0, INT32_MAX, kRow}));
    ASSERT_TRUE(layout->ColumnRect(2, rect));
    EXPECT_EQ(rect.left, INT32_MAX);
    EXPECT_EQ(layout->HitTest(290, 25).column, 1);  // column 1 starts at client x 285
    EXPECT_EQ(layout->HitTestHeader(290, 5).column, 1);
    layout->scrollX = 0;
    EXPECT_EQ(layout->HitTest(10, 25).column, 0);
    EXPECT_TRUE(layout->ItemRect(0, 2, rect));
    layout->scrollX = 1000;
    EXPECT_EQ(layout->EnsureVisible(0, 2, true).scrollX, INT32_MAX);
}

TEST(ListGeometry, HitTest) {
    const struct {
        int32_t scrollX, scrollY;
        bool showHeader;
        int32_t x, y;
        ListHit expected;
    } cases[] = {
        {0, 0, true, 10, 5, {false, -1, -1}},  // header row
        {0, 0, true, 10, 20, {true, 0, 0}},    // first pixel row of row 0
        {0, 0, true, 101, 45, {true, 1, 1}},
        {0, 0, true, 0, 25, {false, 0, 2}},  // column edges are open
        {0, 0, true, 100, 25, {false, 0, 2}},
        {0, 0, true, 99, 25, {true, 0, 0}},
        {0, 0, true, 200, 45, {false, 1, 2}},   // right of every column: column count
        {0, 0, true, 10, 125, {false, 5, -1}},  // below the last row: row kept
        {0, 30, true, 10, 35, {true, 1, 0}},    // first visible row is 30 / 20 = 1
        {0, 30, true, 10, 59, {true, 2, 0}},
        {40, 0, true, 61, 25, {true, 0, 1}},  // scrolled: column 1 spans 60-110
        {40, 0, true, 60, 25, {false, 0, 2}},
        {0, 0, false, 10, 5, {true, 0, 0}},  // no header: rows start at the top
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.x << "," << c.y << " scroll " << c.scrollX << "," << c.scrollY);
        Layout layout({100, 50}, 300, 200, 5);
        layout->scrollX = c.scrollX;
        layout->scrollY = c.scrollY;
        layout->showHeader = c.showHeader;
        const ListHit hit = layout->HitTest(c.x, c.y);
        EXPECT_EQ(hit.hit, c.expected.hit);
        EXPECT_EQ(hit.row, c.expected.row);
        EXPECT_EQ(hit.column, c.expected.column);
    }
}

TEST(ListGeometry, HitTestHeaderFindsCellsAndDividers) {
    const struct {
        std::vector<int32_t> widths;
        int32_t scrollX;
        int32_t x, y;
        HeaderHit expected;
    } cases[] = {
        {{100, 50}, 0, 50, 10, {true, 0, 0}},
        {{100, 50}, 0, 95, 10, {true, 0, 0x3}},  // grip starts 5 left of the edge
        {{100, 50}, 0, 94, 10, {true, 0, 0}},
        {{100, 50}, 0, 104, 10, {true, 0, 0x3}},  // ... and ends 4 right of it
        {{100, 50}, 0, 105, 10, {true, 1, 0}},
        {{100, 50}, 0, 150, 10, {true, 1, 0x3}},  // last divider
        {{100, 50}, 0, 155, 10, {false, -1, 0}},
        {{100, 50}, 0, 0, 10, {false, -1, 0}},  // the left edge is no cell
        {{100, 50}, 0, 50, 20, {true, 0, 0}},   // the header's bottom line counts
        {{100, 50}, 0, 50, 21, {false, -1, 0}},
        {{100, 50}, 0, 50, -1, {false, -1, 0}},
        {{100, 50}, 30, 70, 10, {true, 0, 0x3}},  // scrolled
        // Right of a divider with two or more columns after it.
        {{100, 80, 60}, 0, 100, 10, {true, 0, 0x5}},
        {{100, 80, 60}, 0, 99, 10, {true, 0, 0x3}},
        // Zero-width columns after the divider: the last of them is the one
        // dragged open.
        {{100, 0, 0, 50, 60}, 0, 100, 10, {true, 2, 0x5}},
        {{100, 0, 0, 50, 60}, 0, 97, 10, {true, 0, 0x3}},
        {{100, 0, 0, 50, 60}, 0, 110, 10, {true, 3, 0}},
        {{100, 0, 50}, 0, 102, 10, {true, 1, 0x5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "x " << c.x << " y " << c.y << " columns " << c.widths.size());
        Layout layout(c.widths, 400, 200, 3);
        layout->scrollX = c.scrollX;
        const HeaderHit hit = layout->HitTestHeader(c.x, c.y);
        EXPECT_EQ(hit.hit, c.expected.hit);
        EXPECT_EQ(hit.column, c.expected.column);
        EXPECT_EQ(hit.flags, c.expected.flags);
    }
    Layout hidden({100, 50}, 400, 200, 3);
    hidden->showHeader = false;
    EXPECT_FALSE(hidden->HitTestHeader(50, 10).hit);
}

TEST(ListGeometry, ColumnAndItemRectangles) {
    Layout layout({100, 50}, 300, 90, 6);
    ListRect rect;
    ASSERT_TRUE(layout->ColumnRect(1, rect));
    EXPECT_EQ(rect, (ListRect{100, 0, 150, 20}));
    EXPECT_FALSE(layout->ColumnRect(2, rect));
    EXPECT_FALSE(layout->ColumnRect(-1, rect));

    // 70 pixels of rows: three full rows and a partly shown fourth.
    const struct {
        int32_t scrollX, scrollY, row, column;
        bool ok;
        ListRect rect;
    } cases[] = {
        {0, 0, 0, -1, true, {0, 20, 149, 40}},  // right ends at the columns
        {0, 0, 3, -1, true, {0, 80, 149, 100}},
        {0, 0, 4, -1, false, {}},
        {0, 0, 2, 1, true, {100, 60, 150, 80}},
        {0, 0, 2, 5, false, {}},
        {0, 40, 1, -1, false, {}},  // scrolled past
        {0, 40, 2, 0, true, {0, 20, 100, 40}},
        {0, 40, 5, -1, true, {0, 80, 149, 100}},
        {0, 60, 6, -1, false, {}},  // beyond the rows
        {30, 0, 0, 1, true, {70, 20, 120, 40}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " column " << c.column);
        layout->scrollX = c.scrollX;
        layout->scrollY = c.scrollY;
        ListRect item;
        EXPECT_EQ(layout->ItemRect(c.row, c.column, item), c.ok);
        if (c.ok) {
            EXPECT_EQ(item, c.rect);
        }
    }
    // Rows scrolled out of view keep their places above and below.
    layout->scrollX = 0;
    layout->scrollY = 40;
    EXPECT_EQ(layout->RowRect(1), (ListRect{0, 0, 149, 20}));
    EXPECT_EQ(layout->RowRect(5), (ListRect{0, 80, 149, 100}));
    EXPECT_EQ(layout->RowRect(8), (ListRect{0, 140, 149, 160}));
    Layout narrow({100, 50}, 120, 90, 6);
    ASSERT_TRUE(narrow->ItemRect(0, -1, rect));
    EXPECT_EQ(rect.right, 120);  // ... or at the client edge
}

TEST(ListGeometry, VisibleRowsAndVisibility) {
    const struct {
        int32_t clientHeight;
        bool showHeader;
        int32_t full, partial;
    } counts[] = {
        {100, true, 4, 4}, {90, true, 3, 4}, {30, true, 1, 1}, {10, true, 1, 1}, {90, false, 4, 5},
    };
    for (const auto& c : counts) {
        Layout layout({100}, 300, c.clientHeight, 10);
        layout->showHeader = c.showHeader;
        EXPECT_EQ(layout->VisibleRowCount(false), c.full) << c.clientHeight;
        EXPECT_EQ(layout->VisibleRowCount(true), c.partial) << c.clientHeight;
    }

    Layout layout({100, 50, 200}, 120, 90, 10);
    layout->scrollY = 20;
    EXPECT_FALSE(layout->IsItemVisible(0, -1, true, false));
    EXPECT_TRUE(layout->IsItemVisible(1, -1, false, false));
    EXPECT_TRUE(layout->IsItemVisible(3, -1, false, false));
    EXPECT_FALSE(layout->IsItemVisible(4, -1, false, false));
    EXPECT_TRUE(layout->IsItemVisible(4, -1, true, false));
    EXPECT_FALSE(layout->IsItemVisible(10, -1, true, false));
    // In focusCell mode a given column must lie wholly in the client width.
    EXPECT_TRUE(layout->IsItemVisible(1, 0, false, true));
    EXPECT_FALSE(layout->IsItemVisible(1, 1, false, true));
    EXPECT_TRUE(layout->IsItemVisible(1, 1, false, false));
    EXPECT_TRUE(layout->IsItemVisible(1, -1, false, true));
}

TEST(ListGeometry, EnsureVisiblePlansTheScroll) {
    const struct {
        int32_t clientWidth, clientHeight, scrollX, scrollY, row, column;
        bool focusCell;
        ScrollPlan expected;
    } cases[] = {
        {300, 100, 0, 0, 2, -1, false, {true, false, 0, false, 0}},
        // Below the view: the row becomes the last fully visible one.
        {300, 100, 0, 0, 6, -1, false, {false, true, 3, false, 0}},
        {300, 100, 0, 0, 4, -1, false, {false, true, 1, false, 0}},
        // Above the view: the row becomes the first.
        {300, 100, 0, 60, 1, -1, false, {false, true, 1, false, 0}},
        // No room for a whole row: the row becomes the first.
        {300, 30, 0, 0, 5, -1, false, {false, true, 5, false, 0}},
        // Partly shown at the bottom of a 90-pixel client: scroll by one row.
        {300, 90, 0, 0, 3, -1, false, {false, true, 1, false, 0}},
        // Columns: too wide or left of the view go to the left edge ...
        {120, 100, 0, 0, 0, 2, true, {false, false, 0, true, 150}},
        {120, 100, 120, 0, 0, 0, true, {false, false, 0, true, 0}},
        // ... one that ends past the right edge scrolls by its overhang.
        {120, 100, 0, 0, 0, 1, true, {false, false, 0, true, 30}},
        // Without focusCell the column is not considered.
        {120, 100, 0, 0, 0, 2, false, {true, false, 0, false, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " column " << c.column);
        Layout layout({100, 50, 200}, c.clientWidth, c.clientHeight, 10);
        layout->scrollX = c.scrollX;
        layout->scrollY = c.scrollY;
        const ScrollPlan plan = layout->EnsureVisible(c.row, c.column, c.focusCell);
        EXPECT_EQ(plan.visible, c.expected.visible);
        EXPECT_EQ(plan.setFirstRow, c.expected.setFirstRow);
        EXPECT_EQ(plan.firstRow, c.expected.firstRow);
        EXPECT_EQ(plan.setScrollX, c.expected.setScrollX);
        EXPECT_EQ(plan.scrollX, c.expected.scrollX);
    }
}

TEST(ListGeometry, ScrollRanges) {
    const struct {
        int32_t clientWidth, clientHeight, rows;
        bool showHeader;
        ScrollRange vertical, horizontal;
    } cases[] = {
        {300, 100, 10, true, {220, 80}, {0, 300}},
        {120, 100, 10, true, {220, 80}, {149, 120}},
        {300, 100, 4, true, {0, 80}, {0, 300}},  // the rows fit exactly: no bar
        {300, 100, 5, true, {120, 80}, {0, 300}},
        {300, 100, 0, true, {0, 80}, {0, 300}},  // no rows: header only, no bar
        {300, 100, 5, false, {0, 100}, {0, 300}},
        {300, 100, 6, false, {120, 100}, {0, 300}},
        {149, 100, 0, true, {0, 80}, {0, 149}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.clientWidth << "x" << c.clientHeight << " rows " << c.rows);
        Layout layout({100, 50}, c.clientWidth, c.clientHeight, c.rows);
        layout->showHeader = c.showHeader;
        EXPECT_EQ(layout->VerticalScroll(), c.vertical);
        EXPECT_EQ(layout->HorizontalScroll(), c.horizontal);
    }
}

TEST(ListGeometry, WithoutRowHeightNothingIsHitAndNothingDivides) {
    Layout layout({100}, 300, 100, 5);
    layout->rowHeight = 0;
    layout->scrollY = 40;
    EXPECT_EQ(layout->FirstVisibleRow(), 0);
    EXPECT_EQ(layout->VisibleRowCount(true), 1);
    EXPECT_FALSE(layout->HitTest(10, 50).hit);
    ListRect rect;
    EXPECT_TRUE(layout->ItemRect(0, -1, rect));
    EXPECT_EQ(rect.Height(), 0);
}

}  // namespace
