#include "systest/ui/userlist/rubber_band.h"

#include "systest/ui/userlist/tests/print_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Two columns of 100, 20-pixel rows and header, a 300 x 120 client area
// (5 rows below the header), 20 rows.
class Band {
  public:
    Band(int32_t scrollX = 0, int32_t scrollY = 0) {
        for (int i = 0; i < 2; ++i) {
            ListColumn column;
            column.width = 100;
            columns_.push_back(column);
        }
        geometry.columns = columns_;
        geometry.clientWidth = 300;
        geometry.clientHeight = 120;
        geometry.rowHeight = 20;
        geometry.headerHeight = 20;
        geometry.rowCount = 20;
        geometry.totalWidth = 199;
        geometry.scrollX = scrollX;
        geometry.scrollY = scrollY;
    }

    ListGeometry geometry;

  private:
    std::vector<ListColumn> columns_;
};

TEST(RubberBand, RectangleFromThePressToTheMouse) {
    Band band(10, 40);
    EXPECT_EQ(RubberBandRect({50, 90}, {60, 70}, band.geometry), (ListRect{50, 90, 70, 110}));
    EXPECT_EQ(RubberBandRect({50, 90}, {0, 10}, band.geometry), (ListRect{10, 50, 50, 90}));
}

TEST(RubberBand, RowsUnderTheBand) {
    const struct {
        int32_t scrollY;
        ListRect band;  // content coordinates
        RowRange rows;
    } cases[] = {
        {0, {10, 25, 50, 65}, {0, 2}},
        {0, {10, 20, 50, 39}, {0, 0}},
        {0, {10, 20, 50, 40}, {0, 1}},      // the bottom edge on row 1's first pixel
        {0, {10, 5, 50, 30}, {0, 0}},       // from the header down
        {0, {10, 300, 50, 900}, {14, 19}},  // stops at the last row
        {40, {10, 65, 50, 85}, {2, 3}},     // scrolled by two rows
        // Scrolled, reaching above the client area: rows above the view too.
        {100, {10, 50, 50, 150}, {1, 6}},
        {100, {10, 99, 50, 150}, {3, 6}},
        {0, {200, 25, 250, 65}, {0, -1}},  // right of the columns: none
        {0, {198, 25, 250, 65}, {0, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "scroll " << c.scrollY << " band " << testing::PrintToString(c.band));
        Band band(0, c.scrollY);
        const RowRange rows = RubberBandRows(c.band, band.geometry);
        if (c.rows.IsEmpty()) {
            EXPECT_TRUE(rows.IsEmpty());
        } else {
            EXPECT_EQ(rows.first, c.rows.first);
            EXPECT_EQ(rows.last, c.rows.last);
        }
    }
}

TEST(RubberBand, AutoScrollWhenTheMouseLeavesTheRows) {
    const struct {
        ListPoint mouse;
        bool up, down, left, right;
    } cases[] = {
        {{150, 60}, false, false, false, false},
        {{150, 19}, true, false, false, false},  // over the header
        {{150, 20}, false, false, false, false},
        {{150, 120}, false, true, false, false},
        {{150, 119}, false, false, false, false},
        {{-1, 60}, false, false, true, false},
        {{300, 60}, false, false, false, true},
        {{-5, 200}, false, true, true, false},
    };
    Band band;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mouse.x << "," << c.mouse.y);
        const AutoScrollNeeds needs = RubberBandAutoScroll(c.mouse, band.geometry);
        EXPECT_EQ(needs.up, c.up);
        EXPECT_EQ(needs.down, c.down);
        EXPECT_EQ(needs.left, c.left);
        EXPECT_EQ(needs.right, c.right);
    }
}

TEST(RubberBand, BandReachesPastTheNewlyShownEdge) {
    Band band;
    const ListRect start{50, 60, 150, 100};
    const ListPoint press{50, 100};
    const struct {
        AutoScroll direction;
        ListPoint mouse;
        int32_t newPosition;
        ListRect expected;
    } cases[] = {
        // Up to position 20: the band reaches one pixel above the rows.
        {AutoScroll::Up, {150, 5}, 20, {50, 39, 150, 100}},
        // Down to 60: one pixel below the client area.
        {AutoScroll::Down, {150, 130}, 60, {50, 100, 150, 181}},
        {AutoScroll::Left, {-3, 80}, 15, {14, 60, 50, 100}},
        {AutoScroll::Right, {310, 80}, 25, {50, 60, 326, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.direction));
        EXPECT_EQ(
            BandAfterAutoScroll(start, press, c.mouse, c.direction, c.newPosition, band.geometry),
            c.expected);
    }
}

}  // namespace
