// The list's sizes at the screen's DPI. Its layout is given in pixels at 96
// DPI (100 %) and grows with the DPI; its images are drawn in four sizes, and
// the one nearest to the scaled 16 pixels is used.
#pragma once

#include <cstddef>
#include <cstdint>

// The DPI at which the layout's lengths are the pixels they say.
inline constexpr int32_t kLayoutDpi = 96;
// The sizes in which the images are drawn, for 96, 120, 144 and 192 DPI.
inline constexpr int32_t kImageSizes[] = {16, 20, 24, 32};

struct ListMetrics {
    int32_t dpi = kLayoutDpi;
    int32_t imageSize = kImageSizes[0];

    // A length of the layout at this DPI, to the nearest pixel.
    int32_t Scale(int32_t pixels) const;
};

// The index into kImageSizes nearest to 16 pixels at the DPI; between two
// sizes the larger wins. A DPI below 96 takes the smallest, one above 192 the
// largest.
size_t ImageSizeIndex(int32_t dpi);

// The metrics at the DPI; 96 DPI's for a DPI of 0 or less (unknown).
ListMetrics ListMetricsForDpi(int32_t dpi);
