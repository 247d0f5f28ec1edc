#include "systest/ui/userlist/list_scrolling.h"

#include <gtest/gtest.h>

#include <vector>

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

// The slide.

std::vector<int32_t> Frames(ScrollAnimation& animation) {
    std::vector<int32_t> remaining;
    while (animation.Advance()) {
        remaining.push_back(animation.Remaining());
        if (remaining.size() > 10000) {
            break;  // a slide that does not end
        }
    }
    return remaining;
}

TEST(ScrollAnimation, OneLineDownInFourStepsThenPixelByPixel) {
    ScrollAnimation animation;
    ASSERT_TRUE(animation.Start(3, 4, 20, 5));
    EXPECT_EQ(animation.Remaining(), 20);
    EXPECT_EQ(Frames(animation), (std::vector<int32_t>{16, 12, 8, 4, 3, 2, 1, 0}));
}

TEST(ScrollAnimation, StepsForLongerSlides) {
    const struct {
        int32_t from, to, rowHeight;
        std::vector<int32_t> frames;
    } cases[] = {
        // Two rows: 40 pixels in 4 steps of 9.
        {0, 2, 20, {31, 22, 13, 4, 3, 2, 1, 0}},
        // Six rows: 6 steps of (120 - 6) / 6 = 19 pixels.
        {10, 4, 20, {101, 82, 63, 44, 25, 6, 5, 4, 3, 2, 1, 0}},
        // Twenty rows: at most 8 steps, (400 - 8) / 8 = 49 pixels each.
        {0, 20, 20, {351, 302, 253, 204, 155, 106, 57, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
        // Rows too low for a whole pixel per step still slide to the end.
        {0, 1, 3, {2, 1, 0}},
        {0, 1, 7, {6, 5, 4, 3, 2, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to << " rows of " << c.rowHeight);
        ScrollAnimation animation;
        ASSERT_TRUE(animation.Start(c.from, c.to, c.rowHeight, 5));
        EXPECT_EQ(Frames(animation), c.frames);
    }
}

TEST(ScrollAnimation, NothingToSlide) {
    ScrollAnimation animation;
    EXPECT_FALSE(animation.Start(4, 4, 20, 5));
    EXPECT_FALSE(animation.Start(0, 1, 0, 5));  // no metrics yet
}

TEST(ScrollAnimation, PictureHoldsBothViews) {
    // Down from row 2 to row 5 with 4 visible rows: rows 2 to 8 are painted.
    ScrollAnimation down;
    ASSERT_TRUE(down.Start(2, 5, 20, 4));
    EXPECT_EQ(down.FirstPictureRow(), 2);
    EXPECT_EQ(down.PictureHeight(), 7 * 20);
    EXPECT_EQ(down.FrameTop(), 0);  // the first frame is the old view
    while (down.Remaining() > 0) {
        ASSERT_TRUE(down.Advance());
    }
    EXPECT_EQ(down.FrameTop(), 60);  // the last one the new view
    EXPECT_FALSE(down.Advance());

    ScrollAnimation up;
    ASSERT_TRUE(up.Start(5, 2, 20, 4));
    EXPECT_EQ(up.FirstPictureRow(), 2);
    EXPECT_EQ(up.FrameTop(), 60);
    while (up.Remaining() > 0) {
        ASSERT_TRUE(up.Advance());
    }
    EXPECT_EQ(up.FrameTop(), 0);
}

}  // namespace
