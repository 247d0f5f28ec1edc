// The width that fits a column to its title and its cells.
#pragma once

#include "systest/ui/userlist/list_metrics.h"

#include <cstdint>
#include <span>

// Room left beside the widest text of a column, at 96 DPI.
inline constexpr int32_t kAutoSizePadding = 20;

struct CellExtent {
    int32_t textWidth = 0;
    bool hasImage = false;  // a row image precedes the text
};

// The widest of the title and the cells, each plus the padding at the
// metrics' DPI; a cell with a row image adds the image width (0 when the
// control has no row images).
int32_t AutoSizeWidth(int32_t titleWidth, std::span<const CellExtent> cells, int32_t imageWidth,
                      const ListMetrics& metrics);
