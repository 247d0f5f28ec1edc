#include "systest/ui/userlist/list_column.h"

#include "systest/ui/userlist/cell_value.h"

#include <algorithm>

uint32_t NormaliseColumnFlags(uint32_t flags) {
    if (flags & AlignCenter) {
        flags &= ~(AlignLeft | AlignRight);
    }
    if (flags & AlignRight) {
        flags &= ~AlignLeft;
    }
    if (flags & DateOnly) {
        flags &= ~TimeOnly;
    }
    if (flags & (Integer | Decimal)) {
        flags &= ~Uppercase;
    } else {
        flags &= ~(AllowNegative | AllowCompare);
    }
    if (flags & DateTimeBoth) {
        flags &= ~(DateOnly | TimeOnly | DateAllowNone);
    }
    return flags;
}

ListColumn PrepareNewColumn(ListColumn column, const ListMetrics& metrics,
                            int32_t existingColumns) {
    column.width = std::max(column.width, 0);  // as SetColumnWidth keeps it
    if (column.title.empty() && column.image != -1) {
        column.width = metrics.imageSize + metrics.Scale(kImageColumnPadding);
        column.flags |= AlignCenter;
    }
    column.flags = NormaliseColumnFlags(column.flags);
    column.subItem = existingColumns;
    return column;
}

std::u16string NextCheckValue(int32_t format, std::u16string_view text) {
    const int32_t value = CellInteger(text);
    if (format == FormatCheck) {
        return value > 0 ? u"0" : u"1";
    }
    if (format == FormatTriState) {
        return value > 0 ? u"-1" : value < 0 ? u"0" : u"1";
    }
    return std::u16string(text);
}
