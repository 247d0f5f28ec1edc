// Where the list's scroll bars and the mouse wheel take its view: the position
// a scroll code or a wheel turn leads to, in pixels. The scroll bar limits
// every position to its range afterwards, so these only keep to the rules of
// each code. And the frames of the slide that plays line and page scrolls.
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

// The slide that plays a line or page scroll: the rows of the old and the new
// view are painted once into a picture, and each frame copies the window's
// view of it a little further along.
class ScrollAnimation {
  public:
    // Prepares a slide from first visible row `from` to `to` over visibleRows
    // rows of rowHeight pixels; false when there is nothing to slide.
    bool Start(int32_t from, int32_t to, int32_t rowHeight, int32_t visibleRows);

    // The picture: its first row, and its height, which holds the rows of both views.
    int32_t FirstPictureRow() const { return firstRow_; }
    int32_t PictureHeight() const { return pictureHeight_; }

    // Where in the picture the current frame starts. The first frame shows
    // the old view, the frame at distance 0 the new one.
    int32_t FrameTop() const;
    int32_t Remaining() const { return remaining_; }

    // Moves to the next frame; false when the slide is over.
    bool Advance();

  private:
    int32_t remaining_ = 0;  // pixels still to go
    int32_t step_ = 0;       // pixels per frame while far from the end
    int32_t steps_ = 0;      // the frame count the step was made for
    bool down_ = true;
    int32_t firstRow_ = 0;
    int32_t pictureHeight_ = 0;
    int32_t viewHeight_ = 0;
};
