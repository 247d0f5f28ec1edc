#include "systest/ui/userlist/auto_size.h"

#include <algorithm>

int32_t AutoSizeWidth(int32_t titleWidth, std::span<const CellExtent> cells, int32_t imageWidth) {
    int32_t width = titleWidth + kAutoSizePadding;
    for (const CellExtent& cell : cells) {
        width =
            std::max(width, cell.textWidth + (cell.hasImage ? imageWidth : 0) + kAutoSizePadding);
    }
    return width;
}
