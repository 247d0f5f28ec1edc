// Where the list's scroll bars and the mouse wheel take its view: the position
// a scroll code or a wheel turn leads to, in pixels. The scroll bar limits
// every position to its range afterwards, so these only keep to the rules of
// each code.
#pragma once

#include <cstdint>

// The codes of WM_VSCROLL and WM_HSCROLL, with the values of SB_*. The
// horizontal codes share them: left is up, right is down.
enum class ScrollCode : int32_t {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

struct ScrollTarget {
    bool move = false;  // false: the code changes nothing
    int32_t position = 0;
    bool animated = false;  // the view slides there instead of jumping
};

struct VerticalScrollState {
    int32_t position = 0;
    int32_t rowHeight = 0;
    int32_t pageHeight = 0;  // the client area below the header
    int32_t rowCount = 0;
    int32_t trackPosition = 0;  // where the thumb is being dragged
    bool smoothScroll = true;
};

// Lines are rows, pages the area below the header; line and page scrolls
// slide when smooth scrolling is on. End-of-scroll and unknown codes move
// nothing.
ScrollTarget VerticalScrollTarget(ScrollCode code, const VerticalScrollState& state);

// A horizontal line is this many pixels.
inline constexpr int32_t kHorizontalLine = 5;

struct HorizontalScrollState {
    int32_t position = 0;
    int32_t totalWidth = 0;  // GetTotalWidth: the sum of the column widths minus 1
    int32_t clientWidth = 0;
    int32_t trackPosition = 0;
};

// Lines are 5 pixels, pages the client width; the right end is the total width.
ScrollTarget HorizontalScrollTarget(ScrollCode code, const HorizontalScrollState& state);

// The system's "one screen per notch" setting of the wheel (WHEEL_PAGESCROLL).
inline constexpr uint32_t kWheelPageScroll = 0xFFFFFFFF;
// One notch of a wheel.
inline constexpr int32_t kWheelDelta = 120;

// The vertical position after a wheel turn of `delta` (positive is away from
// the user, up). wheelLines rows per notch, or pageRows with kWheelPageScroll.
int32_t WheelScrollPosition(int32_t position, uint32_t wheelLines, int32_t delta, int32_t rowHeight,
                            int32_t pageRows);
