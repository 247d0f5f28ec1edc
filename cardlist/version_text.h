// A driver version as the graphics card list writes it.
#pragma once

#include "adapters/driver_version.h"
#include "common/text.h"

#include <string>

// 295.73, 8.911.3, 8.15.10.2653: the parts after the second are left out
// from the last one that is not 0.
inline std::u16string VersionText(const DriverVersionNumber& version) {
    const int32_t parts[] = {version.part1, version.part2, version.part3, version.part4};
    size_t shown = 4;
    while (shown > 2 && parts[shown - 1] == 0) {
        --shown;
    }
    std::string text = std::to_string(parts[0]);
    for (size_t i = 1; i < shown; ++i) {
        text += '.';
        text += std::to_string(parts[i]);
    }
    return Utf16FromAscii(text);
}
