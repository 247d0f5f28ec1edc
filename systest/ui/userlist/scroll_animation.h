// The slide that plays a line or page scroll: the rows of the old and the new
// view are painted once into a picture, and each frame copies the window's
// view of it a little further along.
#pragma once

#include <cstdint>

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
