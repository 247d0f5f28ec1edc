#include "systest/ui/userlist/list_scrolling.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

ScrollTarget MoveTo(int32_t position, bool animated = false) {
    return {true, position, animated};
}

// A thumb released where it started moves nothing.
ScrollTarget Track(int32_t position, int32_t trackPosition) {
    if (trackPosition == position) {
        return {};
    }
    return MoveTo(trackPosition);
}

// A slide takes this many big steps, however far it goes ...
constexpr int32_t kFewestSteps = 4;
constexpr int32_t kMostSteps = 8;
// ... rounded up to the fewest below this many rows.
constexpr int32_t kFewRows = 5;

}  // namespace

ScrollTarget VerticalScrollTarget(ScrollCode code, const VerticalScrollState& state) {
    const bool smooth = state.smoothScroll;
    switch (code) {
        case ScrollCode::LineUp:
            return MoveTo(std::max(state.position - state.rowHeight, 0), smooth);
        case ScrollCode::LineDown:
            return MoveTo(state.position + state.rowHeight, smooth);
        case ScrollCode::PageUp:
            return MoveTo(std::max(state.position - state.pageHeight, 0), smooth);
        case ScrollCode::PageDown:
            return MoveTo(state.position + state.pageHeight, smooth);
        case ScrollCode::Top:
            return MoveTo(0);
        case ScrollCode::Bottom:
            return MoveTo(state.rowCount * state.rowHeight);
        case ScrollCode::ThumbPosition:
        case ScrollCode::ThumbTrack:
            return Track(state.position, state.trackPosition);
        default:
            return {};
    }
}

ScrollTarget HorizontalScrollTarget(ScrollCode code, const HorizontalScrollState& state) {
    const int32_t rightmost = std::max(state.totalWidth - 1, 0);
    switch (code) {
        case ScrollCode::LineUp:
            return MoveTo(state.position <= kHorizontalLine ? 0 : state.position - kHorizontalLine);
        case ScrollCode::LineDown:
            return MoveTo(std::min(state.position + kHorizontalLine, rightmost));
        case ScrollCode::PageUp:
            return MoveTo(std::max(state.position - state.clientWidth, 0));
        case ScrollCode::PageDown:
            return MoveTo(std::min(state.position + state.clientWidth, rightmost));
        case ScrollCode::Top:
            return MoveTo(0);
        case ScrollCode::Bottom:
            // All the way: the scroll bar stops at its last position.
            return MoveTo(std::max(state.totalWidth, 0));
        case ScrollCode::ThumbPosition:
        case ScrollCode::ThumbTrack:
            return Track(state.position, state.trackPosition);
        default:
            return {};
    }
}

int32_t WheelScrollPosition(int32_t position, uint32_t wheelLines, int32_t delta, int32_t rowHeight,
                            int32_t pageRows) {
    const int64_t linesPerNotch =
        wheelLines == kWheelPageScroll ? std::max(pageRows, 1) : int64_t{wheelLines};
    const int64_t lines = linesPerNotch * delta / kWheelDelta;
    const int64_t target = int64_t{position} - lines * rowHeight;
    if (lines > 0 && target <= 0) {
        return 0;
    }
    return static_cast<int32_t>(
        std::clamp<int64_t>(target, 0, std::numeric_limits<int32_t>::max()));
}

bool ScrollAnimation::Start(int32_t from, int32_t to, int32_t rowHeight, int32_t visibleRows) {
    if (from == to || rowHeight <= 0) {
        return false;
    }
    const int32_t rows = std::abs(to - from);
    const int32_t distance = rowHeight * rows;
    steps_ = rows < kFewRows ? kFewestSteps : std::min(rows, kMostSteps);
    // At least a pixel per frame, or a slide over very low rows would never end.
    step_ = std::max((distance - steps_) / steps_, 1);
    down_ = from < to;
    remaining_ = distance;
    firstRow_ = std::min(from, to);
    viewHeight_ = visibleRows * rowHeight;
    pictureHeight_ = (rows + visibleRows) * rowHeight;
    return true;
}

int32_t ScrollAnimation::FrameTop() const {
    return down_ ? pictureHeight_ - viewHeight_ - remaining_ : remaining_;
}

bool ScrollAnimation::Advance() {
    // Big steps first, then the last few pixels one at a time.
    if (steps_ < remaining_) {
        remaining_ -= step_;
        if (remaining_ < step_) {
            remaining_ = steps_;
        }
    } else {
        remaining_ -= 1;
    }
    return remaining_ >= 0;
}
