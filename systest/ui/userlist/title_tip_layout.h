// Where the title tip goes: over the text of a cell whose text is clipped,
// wide enough for the whole text.
#pragma once

#include "systest/ui/userlist/list_geometry.h"
#include "systest/ui/userlist/list_metrics.h"

#include <cstdint>

// The text area of a cell as painting lays it out; cell is the column's
// rectangle in the row (GetItemRect), its right edge the divider.
ListRect TitleTipTextRect(const ListRect& cell, int32_t column, bool hasRowImage,
                          const ListMetrics& metrics);

// Whether a text of textWidth pixels is clipped in the text area: painting
// leaves out the divider pixel, so a text of exactly the area's width - 1
// still fits.
bool TitleTipNeeded(const ListRect& text, int32_t textWidth);

// The tip window over the text area (screen coordinates): its own text starts
// this far inside it, so the two texts lie on each other.
inline constexpr int32_t kTitleTipTextIndent = 4;

ListRect TitleTipWindowRect(const ListRect& text, int32_t textWidth);
