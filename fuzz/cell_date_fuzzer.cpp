// The cell texts of the list read as values: fourteen-digit dates, check
// marks and progress. Input: the cell text.
#include "fuzz/fuzz_lines.h"

#include "systest/ui/userlist/cell_value.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    const std::u16string text = input.Next();
    CellDate date;
    const bool digits = text.size() == 14 && std::all_of(text.begin(), text.end(), IsAsciiDigit);
    if (ParseCellDate(text, date) && digits) {
        // A stored date reads back as it was written.
        FUZZ_CHECK(CellDateText(date) == text);
    }
    CellInteger(text);
    const double progress = CellProgress(text);
    FUZZ_CHECK(progress >= 0 && progress <= 100);
    return 0;
}
