#include "systest/ui/userlist/rubber_band.h"

#include <algorithm>

ListRect RubberBandRect(ListPoint press, ListPoint mouse, const ListGeometry& geometry) {
    const int32_t x = mouse.x + geometry.scrollX;
    const int32_t y = mouse.y + geometry.scrollY;
    return {std::min(press.x, x), std::min(press.y, y), std::max(press.x, x), std::max(press.y, y)};
}

RowRange RubberBandRows(const ListRect& band, const ListGeometry& geometry) {
    RowRange rows;
    if (geometry.rowHeight <= 0 || band.left >= geometry.totalWidth) {
        return rows;
    }
    const int32_t top = band.top - geometry.scrollY;
    const int32_t bottom = band.bottom - geometry.scrollY;
    const int32_t rowsTop = geometry.RowsTop();
    const int32_t firstVisible = geometry.FirstVisibleRow();
    // Division truncates toward zero: a band reaching above the client area
    // needs the row before.
    rows.first = (top - rowsTop) / geometry.rowHeight + firstVisible - (top < 0 ? 1 : 0);
    rows.last = (bottom - rowsTop) / geometry.rowHeight + firstVisible;
    rows.first = std::max(rows.first, 0);
    rows.last = std::min(rows.last, geometry.rowCount - 1);
    return rows;
}

AutoScrollNeeds RubberBandAutoScroll(ListPoint mouse, const ListGeometry& geometry) {
    AutoScrollNeeds needs;
    needs.up = mouse.y < geometry.RowsTop();
    needs.down = mouse.y >= geometry.clientHeight;
    needs.left = mouse.x < 0;
    needs.right = mouse.x >= geometry.clientWidth;
    return needs;
}

ListRect BandAfterAutoScroll(ListRect band, ListPoint press, ListPoint mouse, AutoScroll direction,
                             int32_t newPosition, const ListGeometry& geometry) {
    switch (direction) {
        case AutoScroll::Up:
            band.top = newPosition + geometry.RowsTop() - 1;
            band.bottom = std::max(press.y, newPosition + mouse.y - 1);
            break;
        case AutoScroll::Down:
            band.top = std::min(press.y, newPosition + mouse.y + 1);
            band.bottom = newPosition + geometry.clientHeight + 1;
            break;
        case AutoScroll::Left:
            band.left = newPosition - 1;
            band.right = std::max(press.x, newPosition + mouse.x - 1);
            break;
        case AutoScroll::Right:
            band.right = newPosition + geometry.clientWidth + 1;
            band.left = std::min(press.x, newPosition + mouse.x + 1);
            break;
    }
    return band;
}
