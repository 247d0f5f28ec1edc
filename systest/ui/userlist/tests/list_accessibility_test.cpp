#include "systest/ui/userlist/list_accessibility.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

// Found by GoogleTest next to ListEvent.
void PrintTo(const ListEvent& event, std::ostream* os) {
    static const char* const kNames[] = {"within", "selection", "add", "remove", "focus"};
    *os << kNames[static_cast<int>(event.kind)] << " " << event.row;
}

namespace {

using enum ListEventKind;

ListColumn Column(int32_t subItem, int32_t width, int32_t format = FormatText) {
    ListColumn column;
    column.subItem = subItem;
    column.width = width;
    column.format = format;
    return column;
}

TEST(RowSentence, ReadsTheShownCellsInColumnOrder) {
    const std::map<int32_t, std::u16string> cells = {
        {0, u"Passed     "},
        {1, u"This version of Windows is supported."},
        {2, u""},
        {3, u"  hidden  "},
        {4, u"after the cut"},
    };
    const auto shown = [&](const ListColumn& column) { return cells.at(column.subItem); };
    const struct {
        const char* name;
        std::vector<ListColumn> columns;
        std::u16string sentence;
    } cases[] = {
        {"status and text",
         {Column(0, 80), Column(1, 300)},
         u"Passed, This version of Windows is supported."},
        {"display order, not sub-items",
         {Column(1, 300), Column(0, 80)},
         u"This version of Windows is supported., Passed"},
        {"empty cells are left out", {Column(2, 50), Column(0, 80), Column(2, 50)}, u"Passed"},
        {"hidden columns are left out", {Column(3, 0), Column(0, 1)}, u"Passed"},
        {"a cut-off column ends the row", {Column(0, 80), Column(4, 9, FormatCutOff)}, u"Passed"},
        {"no columns", {}, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RowSentence(c.columns, shown), c.sentence);
    }
}

// Selections built the way clicks build them.
ListSelection Selected(std::initializer_list<int32_t> rows, int32_t focusRow = -1) {
    ListSelection selection;
    for (int32_t row : rows) {
        selection.Select(row, -1, SelectControl, false, 100);
    }
    if (focusRow != -1) {
        selection.MoveFocus(focusRow, -1);
    }
    return selection;
}

TEST(SelectionEvents, TellWhatTheClickOrKeyChanged) {
    ListSelection all = Selected({3});  // then Ctrl+A
    all.SelectAll(100);
    const struct {
        const char* name;
        ListSelection before;
        ListSelection after;
        bool focused;
        std::vector<ListEvent> events;
    } cases[] = {
        {"a first row", Selected({}), Selected({3}), true, {{Selection, 3}, {Focus, 3}}},
        {"down to the next row", Selected({3}), Selected({4}), true, {{Selection, 4}, {Focus, 4}}},
        {"without the keyboard focus", Selected({3}), Selected({4}), false, {{Selection, 4}}},
        {"the same row again", Selected({3}), Selected({3}), true, {}},
        {"Ctrl adds a row", Selected({3}), Selected({3, 6}), true, {{SelectionAdd, 6}, {Focus, 6}}},
        {"Ctrl removes a row",
         Selected({3, 6}),
         Selected({3}, 6),
         true,
         {{Selection, 3}, {Focus, 3}}},
        {"Shift moves a range",
         Selected({3, 4, 5}, 3),
         Selected({4, 5, 6, 7}, 7),
         true,
         {{SelectionRemove, 3}, {SelectionAdd, 6}, {SelectionAdd, 7}, {Focus, 7}}},
        {"cleared",
         Selected({3, 4}, 4),
         Selected({}),
         true,
         {{SelectionRemove, 3}, {SelectionRemove, 4}}},
        {"every row at once", Selected({3}), all, true, {{SelectionWithin, -1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SelectionEvents(c.before, c.after, c.focused), c.events);
    }
}

}  // namespace
