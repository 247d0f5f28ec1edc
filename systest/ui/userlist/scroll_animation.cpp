#include "systest/ui/userlist/scroll_animation.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A slide takes this many big steps, however far it goes ...
constexpr int32_t kFewestSteps = 4;
constexpr int32_t kMostSteps = 8;
// ... rounded up to the fewest below this many rows.
constexpr int32_t kFewRows = 5;

}  // namespace

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
