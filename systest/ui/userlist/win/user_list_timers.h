// The timers of the list window: their ids and periods.
#pragma once

#include <windows.h>

// Shrinks the column whose divider is dragged while the list is scrolled fully right.
inline constexpr UINT_PTR kResizeShrinkTimer = 1001;
inline constexpr UINT kResizeShrinkPeriod = 20;
// Opens the editor of a cell that SelectItem had to scroll into view first.
inline constexpr UINT_PTR kEditDelayTimer = 1002;
inline constexpr UINT kEditDelay = 250;
// Scrolls and reselects while a rubber band is dragged outside the rows.
inline constexpr UINT_PTR kRubberBandTimer = 1003;
inline constexpr UINT kRubberBandPeriod = 20;
// One frame of a scroll slide.
inline constexpr UINT_PTR kScrollAnimationTimer = 1004;
inline constexpr UINT kScrollAnimationPeriod = 20;
