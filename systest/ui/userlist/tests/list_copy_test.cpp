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

// Three rows of the results list: status word (padded for the report) and text.
std::u16string Cell(int32_t row, const ListColumn& column) {
    const std::vector<std::vector<std::u16string>> cells = {
        {u"Passed     ", u"This version of Windows is supported.", u"x"},
        {u"Warning    ", u"The graphics adapter\thas\r\nless memory.", u""},
        {u"Failed     ", u"", u"y"},
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
        {"one row", results, {0}, u"Passed\tThis version of Windows is supported.\r\n"},
        {"rows in the list's order, tabs and line breaks of a text as blanks",
         results,
         {1, 0},
         u"Passed\tThis version of Windows is supported.\r\n"
         u"Warning\tThe graphics adapter has  less memory.\r\n"},
        {"every row: the titles first",
         results,
         {0, 1, 2},
         u"Result\tRequirement\r\n"
         u"Passed\tThis version of Windows is supported.\r\n"
         u"Warning\tThe graphics adapter has  less memory.\r\n"
         u"Failed\t\r\n"},
        {"display order, a hidden column left out, empty fields kept",
         {Column(u"Extra", 2, 40), Column(u"Hidden", 1, 0), Column(u"Result", 0, 80)},
         {1, 2},
         u"\tWarning\r\ny\tFailed\r\n"},
        {"a cut-off column ends the line",
         {Column(u"Result", 0, 80), Column(u"", 2, 10, FormatCutOff), Column(u"Text", 1, 300)},
         {2},
         u"Failed\r\n"},
        {"nothing selected", results, {}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CopiedRowsText(c.columns, c.rows, 3, Cell), c.text);
    }
}

}  // namespace
