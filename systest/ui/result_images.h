// What the results show of a check level: the images of the status strip
// (bitmap 103 and its larger sizes), and where the program keeps the bitmaps
// and cursors of its results list.
#pragma once

#include "systest/resources/resource.h"
#include "systest/ui/userlist/list_visuals.h"

#include <cstdint>

enum StatusImage : int32_t {
    kStatusImageFailed = 0,
    kStatusImageWarning = 1,
    kStatusImagePassed = 2,
};

// Every level other than 2 to 4 shows the red cross.
constexpr int32_t StatusImageOf(int32_t level) {
    switch (level) {
        case 2:
            return kStatusImageWarning;
        case 3:
        case 4:
            return kStatusImagePassed;
        default:
            return kStatusImageFailed;
    }
}

inline constexpr ListResourceIds kResultsListResources = {
    {IDB_STATUS_IMAGES, IDB_STATUS_IMAGES_20, IDB_STATUS_IMAGES_24, IDB_STATUS_IMAGES_32},
    {IDB_CONTROL_IMAGES, IDB_CONTROL_IMAGES_20, IDB_CONTROL_IMAGES_24, IDB_CONTROL_IMAGES_32},
    IDC_RESIZE_CURSOR,
    IDC_LINK_CURSOR,
};
