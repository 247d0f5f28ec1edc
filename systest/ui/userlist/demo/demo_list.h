// The demonstration list: a column of every cell format and enough rows to
// scroll. The demonstration program shows it in a window of its own; the Wine
// tests drive it in theirs.
#pragma once

#include "systest/ui/userlist/text_row_store.h"
#include "systest/ui/userlist/win/user_list.h"

#include <cstdint>

// The columns, by index (and sub-item).
enum DemoColumn : int32_t {
    DemoName,      // text with a row image
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

// Gives a created (initialised) list that shows `rows` its row images, which
// are the list's own, its columns and the rows.
void FillDemoList(UserList& list, TextRowStore& rows);
