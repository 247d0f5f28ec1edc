// The demonstration list: a column of every cell format and enough rows to
// scroll. The demonstration program shows it in a window of its own; the Wine
// tests drive it in theirs.
#pragma once

#include "systest/ui/userlist/text_list_ctrl.h"

#include <cstdint>

// The columns, by index (and sub-item).
enum DemoColumn : int32_t {
    DemoName,      // text with a status image
    DemoComment,   // edit box
    DemoQuantity,  // edit box for signed integers with comparison signs
    DemoDue,       // date, may be empty
    DemoTime,      // time of day
    DemoChoice,    // choice (drawn as text)
    DemoDone,      // check box
    DemoReview,    // three-state mark
    DemoLink,      // link
    DemoProgress,  // progress bar
    DemoLocked,    // read-only text, a padlock in the header
    DemoCutOff,    // rows stop painting here
    DemoHidden,    // right of the cut-off: never painted in the rows
    DemoColumnCount,
};

inline constexpr int32_t kDemoRowCount = 60;

// Adds the columns and rows to a created (initialised) list.
void FillDemoList(TextListCtrl& list);
