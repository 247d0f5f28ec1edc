#include "systest/ui/userlist/column_resize.h"

#include <gtest/gtest.h>

namespace {

// A list that is not scrolled, or has no horizontal bar.
ResizeView Unscrolled(int32_t currentWidth) {
    ResizeView view;
    view.horzBarShown = true;
    view.scrollX = 0;
    view.maxScrollX = 200;
    view.currentWidth = currentWidth;
    return view;
}

ResizeView FullyRight(int32_t currentWidth, int32_t scrollX = 200) {
    ResizeView view = Unscrolled(currentWidth);
    view.scrollX = scrollX;
    return view;
}

TEST(ColumnResize, WidthFollowsTheMouseButNeverBelowZero) {
    const struct {
        int32_t x;
        int32_t width;
    } moves[] = {
        {560, 160}, {500, 100}, {420, 20}, {400, 0}, {300, 0}, {510, 110},
    };
    ColumnResize resize;
    resize.Begin(2, 100, 500);
    for (const auto& m : moves) {
        SCOPED_TRACE(m.x);
        const ResizeStep step = resize.Move(m.x, Unscrolled(m.width + 7));
        EXPECT_TRUE(step.setWidth);
        EXPECT_EQ(step.width, m.width);
        EXPECT_FALSE(step.startTimer);
    }
    EXPECT_EQ(resize.Column(), 2);
    resize.End();
    EXPECT_FALSE(resize.Active());
    EXPECT_FALSE(resize.Move(600, Unscrolled(100)).setWidth);
}

TEST(ColumnResize, GrowingWhileScrolledFullyRightFollowsTheMouse) {
    ColumnResize resize;
    resize.Begin(0, 100, 500);
    const ResizeStep step = resize.Move(530, FullyRight(100));
    EXPECT_TRUE(step.setWidth);
    EXPECT_EQ(step.width, 130);
}

TEST(ColumnResize, ShrinkingWhileScrolledFullyRightRunsTheTimer) {
    ColumnResize resize;
    resize.Begin(0, 100, 500);

    // The first shrinking move starts the timer and changes nothing.
    ResizeStep step = resize.Move(490, FullyRight(100));
    EXPECT_TRUE(step.startTimer);
    EXPECT_FALSE(step.setWidth);
    // While it runs, moves change nothing and start no second timer.
    step = resize.Move(480, FullyRight(100));
    EXPECT_FALSE(step.startTimer);
    EXPECT_FALSE(step.setWidth);
    step = resize.Move(700, Unscrolled(100));
    EXPECT_FALSE(step.setWidth);

    // Each tick shrinks by the mouse's distance left of where shrinking began.
    step = resize.Tick(480, FullyRight(100));
    EXPECT_TRUE(step.setWidth);
    EXPECT_EQ(step.width, 90);
    step = resize.Tick(480, FullyRight(90));
    EXPECT_EQ(step.width, 80);
    step = resize.Tick(490, FullyRight(80));
    EXPECT_EQ(step.width, 80);  // at the starting point: no change
    step = resize.Tick(400, FullyRight(5));
    EXPECT_EQ(step.width, 0);  // never below 0
    // No longer fully right: nothing.
    step = resize.Tick(480, FullyRight(0, 150));
    EXPECT_FALSE(step.setWidth);
    EXPECT_FALSE(step.stopTimer);

    // Right of where shrinking began the timer stops, and the width follows
    // the mouse again from the width reached.
    step = resize.Tick(495, FullyRight(0));
    EXPECT_TRUE(step.stopTimer);
    step = resize.Move(520, Unscrolled(0));
    EXPECT_TRUE(step.setWidth);
    EXPECT_EQ(step.width, 25);
}

TEST(ColumnResize, TimerStopsWithTheDragOrTheBar) {
    ColumnResize resize;
    resize.Begin(0, 100, 500);
    resize.Move(490, FullyRight(100));
    ResizeView noBar = FullyRight(100);
    noBar.horzBarShown = false;
    EXPECT_TRUE(resize.Tick(480, noBar).stopTimer);

    resize.Move(470, FullyRight(100));
    resize.End();
    EXPECT_TRUE(resize.Tick(460, FullyRight(100)).stopTimer);
}

}  // namespace
