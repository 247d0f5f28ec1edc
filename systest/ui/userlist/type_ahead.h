// Type-ahead search: typing letters over the list selects the next row whose
// text in the search column begins with them.
#pragma once

#include "systest/ui/userlist/row_store.h"

#include <cstdint>
#include <string>

// Letters typed within this many milliseconds of the previous one extend the
// search; after a longer pause a new search begins.
inline constexpr uint32_t kTypeAheadPause = 800;

class TypeAheadSearch {
  public:
    // The row to select after typing `letter` (an upper-case A-Z) at tick
    // count `now`, with the focus on focusItem (-1 for none); -1 selects
    // nothing. Texts are those of sub-item `subItem`, compared without case.
    // Repeating one letter walks through the rows that begin with it.
    int32_t Type(char16_t letter, uint32_t now, int32_t focusItem, const ListRowStore& rows,
                 int32_t subItem);

    const std::u16string& Text() const { return text_; }

  private:
    std::u16string text_;  // the letters of the current search
    uint32_t time_ = 0;    // tick count of its last letter
};
