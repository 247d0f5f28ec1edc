#include "systest/ui/userlist/list_copy.h"

#include "common/text.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// One field of a line: trimmed, with nothing in it that would end the field
// or the line.
std::u16string Field(const std::u16string& text) {
    std::u16string field = TrimSpaces(text);
    std::replace_if(
        field.begin(), field.end(),
        [](char16_t c) { return c == u'\t' || c == u'\r' || c == u'\n'; }, u' ');
    return field;
}

// The columns that show, in display order.
std::vector<const ListColumn*> ShownColumns(std::span<const ListColumn> columns) {
    std::vector<const ListColumn*> shown;
    for (const ListColumn& column : columns) {
        if (column.format == FormatCutOff) {
            break;
        }
        if (column.width != 0) {
            shown.push_back(&column);
        }
    }
    return shown;
}

template <typename Text>
void AppendLine(std::u16string& text, const std::vector<const ListColumn*>& columns,
                Text fieldText) {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i != 0) {
            text += u'\t';
        }
        text += Field(fieldText(*columns[i]));
    }
    text += kLineBreak;
}

}  // namespace

std::u16string CopiedRowsText(
    std::span<const ListColumn> columns, const std::set<int32_t>& rows, int32_t rowCount,
    const std::function<std::u16string(int32_t row, const ListColumn&)>& shownText) {
    std::u16string text;
    if (rows.empty()) {
        return text;
    }
    const std::vector<const ListColumn*> shown = ShownColumns(columns);
    if (static_cast<int32_t>(rows.size()) == rowCount) {
        AppendLine(text, shown, [](const ListColumn& column) { return column.title; });
    }
    for (const int32_t row : rows) {
        AppendLine(text, shown, [&](const ListColumn& column) { return shownText(row, column); });
    }
    return text;
}
