// The rubber band: dragging from an empty point or across rows selects the
// rows under a rectangle, and scrolls the view when the mouse leaves the rows.
// Band rectangles are in content coordinates (client plus scroll positions),
// so the band stays put on the rows while the view scrolls under it.
#pragma once

#include "systest/ui/userlist/list_geometry.h"

#include <cstdint>

struct ListPoint {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const ListPoint&, const ListPoint&) = default;
};

// The mouse must move further than this from the press point, in x or y,
// before a drag becomes a rubber band.
inline constexpr int32_t kRubberBandThreshold = 3;

// The band from the press point (content coordinates) to the mouse (client
// coordinates), with left <= right and top <= bottom.
ListRect RubberBandRect(ListPoint press, ListPoint mouse, const ListGeometry& geometry);

struct RowRange {
    int32_t first = 0;
    int32_t last = -1;

    bool IsEmpty() const { return last < first; }
    friend bool operator==(const RowRange&, const RowRange&) = default;
};

// The existing rows under the band; none when the band starts right of the
// columns.
RowRange RubberBandRows(const ListRect& band, const ListGeometry& geometry);

enum class AutoScroll { Up, Down, Left, Right };

struct AutoScrollNeeds {
    bool up = false;    // the mouse is above the rows
    bool down = false;  // below the client area
    bool left = false;
    bool right = false;
};

AutoScrollNeeds RubberBandAutoScroll(ListPoint mouse, const ListGeometry& geometry);

// The band after the view scrolled one line in `direction` to newPosition
// (the vertical position for Up and Down, the horizontal one for Left and
// Right): it reaches one pixel past the newly shown edge.
ListRect BandAfterAutoScroll(ListRect band, ListPoint press, ListPoint mouse, AutoScroll direction,
                             int32_t newPosition, const ListGeometry& geometry);
