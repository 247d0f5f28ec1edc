#include "systest/ui/userlist/auto_size.h"
#include "systest/ui/userlist/list_column.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(NormaliseColumnFlags, ResolvesContradictionsInOrder) {
    const struct {
        uint32_t flags;
        uint32_t expected;
    } cases[] = {
        {0, 0},
        {AlignLeft | AlignRight, AlignRight},
        {AlignLeft | AlignRight | AlignCenter, AlignCenter},
        {AlignLeft | AlignCenter | ReadOnly, AlignCenter | ReadOnly},
        {DateOnly | TimeOnly, DateOnly},
        {TimeOnly | DateAllowNone, TimeOnly | DateAllowNone},
        {DateTimeBoth | DateOnly | TimeOnly | DateAllowNone, DateTimeBoth},
        // The number options need Integer or Decimal; Uppercase needs neither.
        {Uppercase | AllowNegative | AllowCompare, Uppercase},
        {Integer | Uppercase | AllowNegative, Integer | AllowNegative},
        {Decimal | AllowCompare | Uppercase, Decimal | AllowCompare},
        {Integer | Decimal | AllowNegative | AllowCompare,
         Integer | Decimal | AllowNegative | AllowCompare},
        // Unknown bits are carried.
        {0x8000 | AlignLeft, 0x8000 | AlignLeft},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        EXPECT_EQ(NormaliseColumnFlags(c.flags), c.expected);
    }
}

TEST(PrepareNewColumn, ImageOnlyColumnIsImageWideAndCentred) {
    ListColumn column;
    column.width = 80;
    column.image = 6;
    column.flags = AlignRight;
    const ListColumn added = PrepareNewColumn(column, ListMetrics{}, 2);
    EXPECT_EQ(added.width, 21);
    EXPECT_EQ(added.flags, static_cast<uint32_t>(AlignCenter));
    EXPECT_EQ(added.subItem, 2);
    // At 192 DPI: the 32-pixel image and twice the padding.
    EXPECT_EQ(PrepareNewColumn(column, ListMetricsForDpi(192), 2).width, 42);
}

TEST(PrepareNewColumn, TitledOrImagelessColumnsKeepTheirWidth) {
    ListColumn titled;
    titled.title = u"Status";
    titled.width = 80;
    titled.image = 6;
    EXPECT_EQ(PrepareNewColumn(titled, ListMetrics{}, 0).width, 80);

    ListColumn plain;
    plain.width = 1;
    plain.subItem = 7;
    plain.choices = {u"a", u"b"};
    const ListColumn added = PrepareNewColumn(plain, ListMetrics{}, 1);
    EXPECT_EQ(added.width, 1);
    EXPECT_EQ(added.flags, 0u);
    EXPECT_EQ(added.subItem, 1);  // the caller's value is replaced
    EXPECT_EQ(added.choices, plain.choices);
}

TEST(AutoSizeWidth, WidestOfTitleAndCellsPlusPadding) {
    const struct {
        int32_t title;
        std::vector<CellExtent> cells;
        int32_t imageWidth;
        int32_t expected;
        int32_t dpi = kLayoutDpi;
    } cases[] = {
        {40, {}, 16, 60},                          // no rows: the title
        {40, {{30, false}, {10, false}}, 16, 60},  // title wider than the cells
        {40, {{30, false}, {75, false}}, 16, 95},  // widest cell
        {40, {{30, true}, {10, false}}, 16, 66},   // a row image adds its width
        {40, {{70, false}, {60, true}}, 16, 96},   // image makes the narrower text win
        {40, {{60, true}}, 0, 80},                 // no row image list
        {40, {{60, true}}, 32, 132, 192},          // the padding grows with the DPI
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AutoSizeWidth(c.title, c.cells, c.imageWidth, ListMetricsForDpi(c.dpi)),
                  c.expected);
    }
}

TEST(NextCheckValue, ClicksCycleTheMarks) {
    const struct {
        int32_t format;
        const char16_t* text;
        const char16_t* next;
    } cases[] = {
        {FormatCheck, u"0", u"1"},     {FormatCheck, u"1", u"0"},     {FormatCheck, u"", u"1"},
        {FormatCheck, u"7", u"0"},     {FormatCheck, u"-1", u"1"},    {FormatTriState, u"0", u"1"},
        {FormatTriState, u"1", u"-1"}, {FormatTriState, u"-1", u"0"}, {FormatTriState, u"", u"1"},
        {FormatText, u"abc", u"abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << c.format << " "
                                        << testing::PrintToString(std::u16string(c.text)));
        EXPECT_EQ(NextCheckValue(c.format, c.text), c.next);
    }
}

}  // namespace
