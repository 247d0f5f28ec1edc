// The rows of the list as text for the clipboard: what Ctrl+C and the
// context menu's Copy put there, for an e-mail or a spreadsheet.
#pragma once

#include "systest/ui/userlist/list_column.h"

#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <string>

// The rows (in the order the list shows them) as lines that end in CR LF:
// the texts their cells show, in column order, each trimmed of surrounding
// spaces and followed by a tab but the last. Hidden columns (width 0) are
// left out and a FormatCutOff column ends the line, as it ends the painting;
// tabs and line breaks within a text become blanks, so that every line has
// one field per column. When the rows are all rowCount rows of the list, the
// column titles come first. Empty for no rows.
std::u16string CopiedRowsText(
    std::span<const ListColumn> columns, const std::set<int32_t>& rows, int32_t rowCount,
    const std::function<std::u16string(int32_t row, const ListColumn&)>& shownText);
