#include "systest/ui/userlist/list_metrics.h"

#include <cstdlib>
#include <iterator>

int32_t ListMetrics::Scale(int32_t pixels) const {
    const int64_t scaled = int64_t{pixels} * dpi;
    const int64_t half = kLayoutDpi / 2;
    return static_cast<int32_t>(scaled >= 0 ? (scaled + half) / kLayoutDpi
                                            : (scaled - half) / kLayoutDpi);
}

size_t ImageSizeIndex(int32_t dpi) {
    // Compared at 96 times the size, so no rounding decides.
    const int64_t wanted = int64_t{kImageSizes[0]} * dpi;
    size_t nearest = 0;
    for (size_t i = 1; i < std::size(kImageSizes); ++i) {
        const int64_t distance = std::llabs(int64_t{kImageSizes[i]} * kLayoutDpi - wanted);
        const int64_t best = std::llabs(int64_t{kImageSizes[nearest]} * kLayoutDpi - wanted);
        if (distance <= best) {
            nearest = i;
        }
    }
    return nearest;
}

ListMetrics ListMetricsForDpi(int32_t dpi) {
    if (dpi <= 0) {
        dpi = kLayoutDpi;  // the screen's DPI could not be read
    }
    return {dpi, kImageSizes[ImageSizeIndex(dpi)]};
}
