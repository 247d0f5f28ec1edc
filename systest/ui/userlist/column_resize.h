// Dragging a header divider: the column's width follows the mouse. Shrinking
// a column while the list is scrolled fully right cannot follow the mouse,
// because the view moves with the shrinking content; there a timer shrinks
// the column step by step for as long as the mouse stays left of where the
// shrinking began.
#pragma once

#include <cstdint>

// Where the drag stands against the horizontal scroll bar.
struct ResizeView {
    bool horzBarShown = false;
    int32_t scrollX = 0;
    int32_t maxScrollX = 0;  // total width - 1 - client width
    int32_t currentWidth = 0;

    bool ScrolledFullyRight() const { return horzBarShown && scrollX >= maxScrollX; }
};

struct ResizeStep {
    bool setWidth = false;
    int32_t width = 0;
    bool startTimer = false;
    bool stopTimer = false;
};

class ColumnResize {
  public:
    // x: the mouse in screen coordinates.
    void Begin(int32_t column, int32_t startWidth, int32_t startX);
    void End();
    bool Active() const { return column_ != -1; }
    int32_t Column() const { return column_; }

    // A mouse move to x.
    ResizeStep Move(int32_t x, const ResizeView& view);
    // A tick of the shrink timer with the mouse at x.
    ResizeStep Tick(int32_t x, const ResizeView& view);

  private:
    int32_t column_ = -1;
    int32_t startWidth_ = 0;  // the width the mouse's offset from startX_ applies to
    int32_t startX_ = 0;
    int32_t shrinkX_ = 0;  // where the shrinking timer started
    bool timerRunning_ = false;
};
