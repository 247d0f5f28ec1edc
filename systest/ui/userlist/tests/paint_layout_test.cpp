#include "systest/ui/userlist/paint_layout.h"

#include "systest/ui/userlist/tests/print_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const ListMetrics kAt96;  // 96 DPI: the layout as written

std::vector<ListColumn> Columns(std::initializer_list<std::pair<int32_t, int32_t>> spec) {
    std::vector<ListColumn> columns;
    for (const auto& [width, format] : spec) {
        ListColumn column;
        column.width = width;
        column.format = format;
        column.subItem = static_cast<int32_t>(columns.size());
        columns.push_back(column);
    }
    return columns;
}

std::vector<int32_t> Indexes(const std::vector<CellToPaint>& cells) {
    std::vector<int32_t> indexes;
    for (const CellToPaint& cell : cells) {
        indexes.push_back(cell.column);
    }
    return indexes;
}

TEST(RowsToPaint, OnlyRowsInTheClipBox) {
    const std::vector<ListColumn> columns = Columns({{100, FormatText}, {50, FormatText}});
    ListGeometry geometry;
    geometry.columns = columns;
    geometry.clientWidth = 300;
    geometry.clientHeight = 100;
    geometry.rowHeight = 20;
    geometry.headerHeight = 20;
    geometry.rowCount = 10;
    geometry.totalWidth = ColumnsTotalWidth(columns);

    std::vector<RowToPaint> rows = RowsToPaint(geometry, {0, 0, 300, 100});
    ASSERT_EQ(rows.size(), 5u);  // rows 0-3 and the row touching the bottom edge
    EXPECT_EQ(rows[0].row, 0);
    EXPECT_EQ(rows[0].rect, (ListRect{0, 20, 149, 40}));
    EXPECT_EQ(rows[4].rect.top, 100);

    rows = RowsToPaint(geometry, {0, 45, 300, 65});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].row, 1);
    EXPECT_EQ(rows[1].row, 2);

    // Scrolled: the first visible row comes first; the row starts where the
    // columns start now and ends at the total width, so a list scrolled fully
    // right fills its last client column too.
    geometry.scrollX = 40;
    geometry.scrollY = 50;
    rows = RowsToPaint(geometry, {0, 0, 300, 100});
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].row, 2);
    EXPECT_EQ(rows[0].rect, (ListRect{-40, 20, 149, 40}));

    geometry.rowCount = 0;
    EXPECT_TRUE(RowsToPaint(geometry, {0, 0, 300, 100}).empty());
    geometry.rowCount = 10;
    geometry.rowHeight = 0;
    EXPECT_TRUE(RowsToPaint(geometry, {0, 0, 300, 100}).empty());
}

TEST(CellsToPaint, SkipsPlaceholdersAndStopsAtCutOffAndClip) {
    const ListRect row{0, 20, 400, 40};
    const struct {
        std::vector<ListColumn> columns;
        ListRect clip;
        std::vector<int32_t> expected;
    } cases[] = {
        {Columns({{100, FormatText}, {50, FormatText}}), {0, 0, 400, 100}, {0, 1}},
        {Columns({{1, FormatText}, {1, FormatText}}), {0, 0, 400, 100}, {}},
        {Columns({{1, FormatText}, {80, FormatText}}), {0, 0, 400, 100}, {1}},
        {Columns({{100, FormatText}, {50, FormatCutOff}, {50, FormatText}}), {0, 0, 400, 100}, {0}},
        {Columns({{100, FormatText}, {50, FormatText}, {50, FormatText}}), {120, 0, 140, 100}, {1}},
        // A hidden column ends left of its own left edge.
        {Columns({{0, FormatText}, {50, FormatText}}), {0, 0, 400, 100}, {1}},
        {Columns({{50, FormatText}, {0, FormatText}}), {0, 0, 400, 100}, {0, 1}},
        // Edges beyond 32 bits lie beyond the clip.
        {Columns({{0x7FFFFFF0, FormatText}, {0x7FFFFFF0, FormatText}}), {0, 0, 400, 100}, {0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Indexes(CellsToPaint(c.columns, row, c.clip)), c.expected);
    }
    const std::vector<CellToPaint> cells =
        CellsToPaint(Columns({{100, FormatText}, {50, FormatText}}), row, {0, 0, 400, 100});
    EXPECT_EQ(cells[0].rect, (ListRect{0, 20, 99, 40}));
    EXPECT_EQ(cells[1].rect, (ListRect{100, 20, 149, 40}));
}

TEST(CellLayout, TextAndImagePositions) {
    const ListRect cell{100, 20, 199, 42};
    EXPECT_EQ(CellTextRect(cell, 0, kAt96), (ListRect{108, 24, 195, 38}));
    EXPECT_EQ(CellTextRect(cell, 1, kAt96), (ListRect{107, 24, 195, 38}));

    const ListRect text = CellTextRect(cell, 0, kAt96);
    // At the text's left, centred vertically in the cell ...
    EXPECT_EQ(PlaceRowImage(text, cell, false, kAt96), (ImagePlacement{108, 23, 16, 16}));
    // ... or centred in the text area when there is no text.
    EXPECT_EQ(PlaceRowImage(text, cell, true, kAt96), (ImagePlacement{143, 23, 16, 16}));
    EXPECT_EQ(PlaceCheckImage(text, cell, kAt96), (ImagePlacement{142, 23, 16, 16}));

    // Cut at the cell's edges, never left of the cell; nothing of a hidden cell.
    const ListRect narrow{0, 20, 19, 34};
    EXPECT_EQ(PlaceRowImage(CellTextRect(narrow, 0, kAt96), narrow, false, kAt96),
              (ImagePlacement{8, 19, 11, 15}));
    const ListRect tiny{50, 20, 59, 40};
    EXPECT_EQ(PlaceRowImage(CellTextRect(tiny, 1, kAt96), tiny, true, kAt96),
              (ImagePlacement{50, 22, 9, 16}));
    EXPECT_EQ(PlaceCheckImage(CellTextRect(tiny, 1, kAt96), tiny, kAt96),
              (ImagePlacement{50, 22, 9, 16}));
    const ListRect hidden{50, 20, 49, 40};
    EXPECT_FALSE(PlaceRowImage(CellTextRect(hidden, 0, kAt96), hidden, false, kAt96).IsVisible());
    EXPECT_FALSE(PlaceRowImage(CellTextRect(hidden, 0, kAt96), hidden, true, kAt96).IsVisible());
}

TEST(CellLayout, MarginsAndImagesGrowWithTheDpi) {
    // A 192 DPI row: every length twice, the 32-pixel images.
    const ListMetrics at192 = ListMetricsForDpi(192);
    const ListRect cell{200, 40, 399, 84};
    const ListRect text = CellTextRect(cell, 1, at192);
    EXPECT_EQ(text, (ListRect{214, 48, 391, 76}));
    EXPECT_EQ(PlaceRowImage(text, cell, false, at192), (ImagePlacement{214, 46, 32, 32}));
    EXPECT_EQ(PlaceCheckImage(text, cell, at192), (ImagePlacement{284, 46, 32, 32}));
    const ListRect header{200, 0, 400, 44};
    ListColumn column;
    column.subItem = 1;
    const HeaderCellLayout layout = LayoutHeaderCell(header, 1, column, true, 1, at192);
    EXPECT_EQ(layout.text, (ListRect{214, 2, 360, 46}));
    EXPECT_EQ(PlaceSortArrow(layout.text, header, 44, at192), (ImagePlacement{368, 16, 32, 28}));
    EXPECT_EQ(LayoutProgress(cell, 100, at192).outer, (ListRect{206, 44, 393, 80}));
}

TEST(CellLayout, CheckImagesByValue) {
    const struct {
        int32_t format, value, image;
    } cases[] = {
        {FormatCheck, 1, 3},    {FormatCheck, 7, 3},     {FormatCheck, 0, 2},
        {FormatCheck, -1, 2},   {FormatTriState, -4, 5}, {FormatTriState, 0, 2},
        {FormatTriState, 1, 4},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckImageIndex(c.format, c.value), c.image) << c.format << " " << c.value;
    }
}

TEST(LayoutProgress, FramesAndBar) {
    const ListRect cell{0, 20, 99, 42};
    const struct {
        double percent;
        int32_t fillRight;
    } cases[] = {{0, 7}, {50, 49}, {100, 92}, {33.3, 35}, {150, 92}, {-1, 7}};
    for (const auto& c : cases) {
        const ProgressLayout layout = LayoutProgress(cell, c.percent, kAt96);
        EXPECT_EQ(layout.outer, (ListRect{3, 22, 96, 40}));
        EXPECT_EQ(layout.inner, (ListRect{4, 23, 95, 39}));
        EXPECT_EQ(layout.fill, (ListRect{7, 26, c.fillRight, 36})) << c.percent;
    }
    // A cell too narrow for a bar gets none.
    EXPECT_TRUE(LayoutProgress({0, 20, 10, 42}, 100, kAt96).fill.IsEmpty());
}

TEST(LayoutHeaderCell, TextRoomAndSortArrow) {
    ListColumn column;
    column.subItem = 1;
    const ListRect cell{100, 0, 200, 22};

    HeaderCellLayout layout = LayoutHeaderCell(cell, 1, column, true, -1, kAt96);
    EXPECT_EQ(layout.text, (ListRect{107, 1, 195, 23}));
    EXPECT_TRUE(layout.arrowAllowed);
    EXPECT_FALSE(layout.sortColumn);  // nothing sorted yet

    layout = LayoutHeaderCell(cell, 1, column, true, 1, kAt96);
    EXPECT_TRUE(layout.sortColumn);
    EXPECT_EQ(layout.text.right, 180);
    EXPECT_EQ(PlaceSortArrow(layout.text, cell, 22, kAt96), (ImagePlacement{184, 8, 16, 14}));

    EXPECT_EQ(LayoutHeaderCell(cell, 0, column, true, 1, kAt96).text.left, 108);
    EXPECT_FALSE(LayoutHeaderCell(cell, 1, column, false, 1, kAt96).sortColumn);
    EXPECT_FALSE(LayoutHeaderCell({100, 0, 115, 22}, 1, column, true, 1, kAt96).arrowAllowed);
    EXPECT_TRUE(LayoutHeaderCell({100, 0, 116, 22}, 1, column, true, 1, kAt96).sortColumn);
    column.fixedWidth = true;
    layout = LayoutHeaderCell(cell, 1, column, true, 1, kAt96);
    EXPECT_TRUE(layout.arrowAllowed);
    EXPECT_FALSE(layout.sortColumn);

    // Header images stay two pixels off the divider.
    const ListRect imageCell{0, 0, 21, 22};
    const HeaderCellLayout imageLayout = LayoutHeaderCell(imageCell, 0, column, true, -1, kAt96);
    EXPECT_EQ(PlaceHeaderImage(imageLayout.text, imageCell, true, kAt96),
              (ImagePlacement{4, 3, 15, 16}));
    EXPECT_EQ(PlaceHeaderImage(imageLayout.text, imageCell, false, kAt96),
              (ImagePlacement{8, 3, 11, 16}));
}

TEST(LayoutRubberBand, KeptInsideAtTheEndsOfTheContent) {
    const std::vector<ListColumn> columns = Columns({{200, FormatText}, {200, FormatText}});
    ListGeometry geometry;
    geometry.columns = columns;
    geometry.clientWidth = 300;
    geometry.clientHeight = 100;
    geometry.rowHeight = 20;
    geometry.headerHeight = 20;
    geometry.rowCount = 10;
    geometry.totalWidth = ColumnsTotalWidth(columns);

    // At the top left the band stops at the row area's edges.
    RubberBandLayout layout = LayoutRubberBand({-10, 5, 50, 60}, geometry);
    EXPECT_EQ(layout.frame, (ListRect{0, 20, 50, 60}));
    EXPECT_EQ(layout.fill, (ListRect{0, 20, 50, 60}));

    // Scrolled into the middle it may reach past the client area; only its
    // part over the rows is filled.
    geometry.scrollX = 50;
    geometry.scrollY = 40;
    layout = LayoutRubberBand({-10, 5, 350, 160}, geometry);
    EXPECT_EQ(layout.frame, (ListRect{-10, 5, 350, 160}));
    EXPECT_EQ(layout.fill, (ListRect{0, 20, 300, 100}));

    // Scrolled to the right and bottom ends it stops at the client edges.
    geometry.scrollX = 100;
    geometry.scrollY = 141;
    layout = LayoutRubberBand({10, 30, 350, 160}, geometry);
    EXPECT_EQ(layout.frame, (ListRect{10, 30, 300, 100}));
}

TEST(GradientColour, RunsFromLightToDark) {
    const Rgb light{170, 240, 170};
    const Rgb dark{45, 210, 50};
    EXPECT_EQ(GradientColour(light, dark, 0, 5), light);
    EXPECT_EQ(GradientColour(light, dark, 4, 5), dark);
    EXPECT_EQ(GradientColour(light, dark, 2, 5), (Rgb{108, 225, 110}));
    EXPECT_EQ(GradientColour(light, dark, 0, 1), light);
}

}  // namespace
