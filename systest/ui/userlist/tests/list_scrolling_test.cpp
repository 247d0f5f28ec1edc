#include "systest/ui/userlist/list_scrolling.h"

#include <gtest/gtest.h>

namespace {

using enum ScrollCode;

TEST(VerticalScrollTarget, CodesByTheRules) {
    // 20-pixel rows, 100 pixels below the header, 30 rows, the thumb dragged to 77.
    const struct {
        ScrollCode code;
        int32_t position;
        bool smooth;
        ScrollTarget expected;
    } cases[] = {
        {LineUp, 50, true, {true, 30, true}},
        {LineUp, 10, true, {true, 0, true}},  // not above the top
        {LineDown, 50, true, {true, 70, true}},
        {LineDown, 50, false, {true, 70, false}},
        {PageUp, 150, true, {true, 50, true}},
        {PageUp, 60, true, {true, 0, true}},
        {PageDown, 150, true, {true, 250, true}},
        {Top, 150, true, {true, 0, false}},
        {Bottom, 0, true, {true, 600, false}},  // the bar stops it at its last page
        {ThumbTrack, 10, true, {true, 77, false}},
        {ThumbPosition, 10, true, {true, 77, false}},
        {ThumbPosition, 77, true, {false, 0, false}},  // released where it was
        {EndScroll, 50, true, {false, 0, false}},
        {static_cast<ScrollCode>(9), 50, true, {false, 0, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "code " << static_cast<int>(c.code) << " at " << c.position);
        VerticalScrollState state;
        state.position = c.position;
        state.rowHeight = 20;
        state.pageHeight = 100;
        state.rowCount = 30;
        state.trackPosition = 77;
        state.smoothScroll = c.smooth;
        const ScrollTarget target = VerticalScrollTarget(c.code, state);
        EXPECT_EQ(target.move, c.expected.move);
        EXPECT_EQ(target.position, c.expected.position);
        EXPECT_EQ(target.animated, c.expected.animated);
    }
}

TEST(HorizontalScrollTarget, CodesByTheRules) {
    // Columns 900 pixels wide in all (total width 899), a 300-pixel client area.
    const struct {
        ScrollCode code;
        int32_t position;
        ScrollTarget expected;
    } cases[] = {
        {LineUp, 20, {true, 15}},
        {LineUp, 6, {true, 1}},
        {LineUp, 5, {true, 0}},  // a step that would reach 0 goes to 0
        {LineDown, 20, {true, 25}},
        {LineDown, 896, {true, 898}},  // not past the last column pixel
        {PageUp, 400, {true, 100}},
        {PageUp, 200, {true, 0}},
        {PageDown, 100, {true, 400}},
        {PageDown, 700, {true, 898}},
        {Top, 400, {true, 0}},
        // All the way right, also on a list more than twice as wide as its
        // client area; the scroll bar stops it at its last position.
        {Bottom, 0, {true, 899}},
        {ThumbTrack, 0, {true, 123}},
        {ThumbPosition, 123, {false, 0}},
        {EndScroll, 50, {false, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "code " << static_cast<int>(c.code) << " at " << c.position);
        HorizontalScrollState state;
        state.position = c.position;
        state.totalWidth = 899;
        state.clientWidth = 300;
        state.trackPosition = 123;
        const ScrollTarget target = HorizontalScrollTarget(c.code, state);
        EXPECT_EQ(target.move, c.expected.move);
        EXPECT_EQ(target.position, c.expected.position);
        EXPECT_FALSE(target.animated);
    }
}

TEST(WheelScrollPosition, LinesPerNotch) {
    const struct {
        int32_t position;
        uint32_t wheelLines;
        int32_t delta;
        int32_t expected;
    } cases[] = {
        {200, 3, 120, 140},  // up one notch: three 20-pixel rows
        {200, 3, -120, 260},
        {200, 3, 240, 80},
        {40, 3, 120, 0},  // up at the top stays at the top
        {0, 3, 120, 0},
        {200, 3, 40, 180},  // a third of a notch is one line
        {200, 1, 40, 200},  // ... and of one line nothing
        {200, 0, 120, 200},
        // "One screen at a time": a page of 7 rows per notch.
        {300, kWheelPageScroll, 120, 160},
        {300, kWheelPageScroll, -120, 440},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.position << " lines " << c.wheelLines << " delta " << c.delta);
        EXPECT_EQ(WheelScrollPosition(c.position, c.wheelLines, c.delta, 20, 7), c.expected);
    }
}

}  // namespace
