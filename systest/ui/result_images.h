// What the results show of a check level: the images of the status strip
// (bitmap 103 and its larger sizes), in the rows of the results list and as
// the summary's icon.
#pragma once

#include "systest/engine/check_result.h"
#include "systest/resources/resource.h"
#include "systest/ui/userlist/list_metrics.h"

#include <cstdint>
#include <iterator>

enum StatusImage : int32_t {
    kStatusImageFailed = 0,
    kStatusImageWarning = 1,
    kStatusImagePassed = 2,
};

// Every level other than 2 to 4 shows the red cross.
constexpr int32_t StatusImageOf(CheckLevel level) {
    switch (level) {
        case CheckLevel::Warning:
            return kStatusImageWarning;
        case CheckLevel::Passed:
        case CheckLevel::PassedWithMargin:
            return kStatusImagePassed;
        default:
            return kStatusImageFailed;
    }
}

// The strip in the sizes of the list's images (kImageSizes).
inline constexpr int kStatusImageBitmaps[] = {IDB_STATUS_IMAGES, IDB_STATUS_IMAGES_20,
                                              IDB_STATUS_IMAGES_24, IDB_STATUS_IMAGES_32};
static_assert(std::size(kStatusImageBitmaps) == std::size(kImageSizes));
