#include "systest/ui/userlist/auto_size.h"

#include <algorithm>

int32_t AutoSizeWidth(int32_t titleWidth, std::span<const CellExtent> cells, int32_t imageWidth,
                      const ListMetrics& metrics) {
    const int32_t padding = metrics.Scale(kAutoSizePadding);
    int32_t width = titleWidth + padding;
    for (const CellExtent& cell : cells) {
        width = std::max(width, cell.textWidth + (cell.hasImage ? imageWidth : 0) + padding);
    }
    return width;
}
