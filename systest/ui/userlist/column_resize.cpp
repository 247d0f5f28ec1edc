#include "systest/ui/userlist/column_resize.h"

#include <algorithm>

void ColumnResize::Begin(int32_t column, int32_t startWidth, int32_t startX) {
    column_ = column;
    startWidth_ = startWidth;
    startX_ = startX;
    timerRunning_ = false;
}

void ColumnResize::End() {
    column_ = -1;
    startWidth_ = 0;
    startX_ = 0;
}

ResizeStep ColumnResize::Move(int32_t x, const ResizeView& view) {
    ResizeStep step;
    if (!Active()) {
        return step;
    }
    const int32_t width = std::max(startWidth_ + (x - startX_), 0);
    if (view.ScrolledFullyRight() && width < view.currentWidth) {
        if (!timerRunning_) {
            shrinkX_ = x;
            timerRunning_ = true;
            step.startTimer = true;
        }
        return step;
    }
    if (timerRunning_) {
        return step;  // the timer does the shrinking
    }
    step.setWidth = true;
    step.width = width;
    return step;
}

ResizeStep ColumnResize::Tick(int32_t x, const ResizeView& view) {
    ResizeStep step;
    if (!Active() || !view.horzBarShown || x > shrinkX_) {
        // Back to following the mouse from here.
        step.stopTimer = true;
        timerRunning_ = false;
        startX_ = x;
        return step;
    }
    if (x < startX_ && view.scrollX >= view.maxScrollX) {
        step.setWidth = true;
        step.width = std::max(view.currentWidth + (x - shrinkX_), 0);
        startWidth_ = step.width;
    }
    return step;
}
