#include "systest/ui/userlist/scroll_animation.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
