#include "systest/ui/userlist/list_copy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ListColumn Column(std::u16string title, int32_t subItem, int32_t width,
                  int32_t format = FormatText) {
    ListColumn column;
    column.title = std::move(title);
    column.subItem = subItem;
    column.width = width;
    column.format = format;
    return column;
}

// Status words padded for the report, a text that would break the lines.
std::u16string Cell(int32_t row, const ListColumn& column) {
    const std::vector<std::vector<std::u16string>> cells = {
        {u"Passed     ", u"Windows is supported.", u"x"},
        {u"Warning    ", u"Less\tmemory\r\nthan recommended.", u""},
    };
    return cells[static_cast<size_t>(row)][static_cast<size_t>(column.subItem)];
}

TEST(CopiedRowsText, TheShownCellsTabSeparatedOneRowALine) {
    const std::vector<ListColumn> results = {Column(u"Result", 0, 80),
                                             Column(u"Requirement", 1, 300)};
    const struct {
        const char* name;
        std::vector<ListColumn> columns;
        std::set<int32_t> rows;
        std::u16string text;
    } cases[] = {
        {"a row: trimmed, no tab or line break within a field",
         results,
         {1},
         u"Warning\tLess memory  than recommended.\r\n"},
        {"every row: the titles first",
         results,
         {0, 1},
         u"Result\tRequirement\r\nPassed\tWindows is supported.\r\n"
         u"Warning\tLess memory  than recommended.\r\n"},
        {"display order; hidden columns out, empty fields kept, a cut-off ends the line",
         {Column(u"Extra", 2, 40), Column(u"Hidden", 1, 0), Column(u"Result", 0, 80),
          Column(u"", 1, 10, FormatCutOff), Column(u"Text", 1, 300)},
         {1},
         u"\tWarning\r\n"},
        {"nothing selected", results, {}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CopiedRowsText(c.columns, c.rows, 2, Cell), c.text);
    }
}

}  // namespace
