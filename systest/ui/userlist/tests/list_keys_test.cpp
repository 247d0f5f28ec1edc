#include "systest/ui/userlist/list_keys.h"

#include "systest/ui/userlist/list_selection.h"
#include "systest/ui/userlist/text_row_store.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

using enum ListKey;

std::vector<ListColumn> Columns(std::vector<int32_t> formats) {
    std::vector<ListColumn> columns;
    for (int32_t format : formats) {
        ListColumn column;
        column.width = 100;
        column.format = format;
        column.subItem = static_cast<int32_t>(columns.size());
        columns.push_back(column);
    }
    return columns;
}

const std::vector<ListColumn> kTextColumns = Columns({FormatText, FormatText, FormatText});

// 30 rows, 5 of them fit; the focus on row 10, column 1.
KeyState State(ListKey key, bool control = false, bool shift = false) {
    KeyState state;
    state.key = key;
    state.control = control;
    state.shift = shift;
    state.focusItem = 10;
    state.focusColumn = 1;
    state.rowCount = 30;
    state.columns = kTextColumns;
    state.fullRows = 5;
    state.scrollX = 40;
    state.totalWidth = 299;
    return state;
}

TEST(PlanKey, RowMoves) {
    const struct {
        ListKey key;
        int32_t focusItem;
        int32_t fullRows;
        int32_t expectedRow;
    } cases[] = {
        {Down, 10, 5, 11},
        {Down, 29, 5, 29},
        {Down, -1, 5, 0},  // nothing focused: the first row
        {Up, 10, 5, 9},
        {Up, 0, 5, 0},
        {Up, -1, 5, 0},
        {Home, 10, 5, 0},
        {End, 10, 5, 29},
        {PageDown, 10, 5, 14},  // a page keeps one row in view
        {PageDown, 25, 5, 29},
        {PageDown, 27, 5, 29},  // on the last page: the last row
        {PageUp, 10, 5, 6},
        {PageUp, 4, 5, 0},
        {PageUp, 3, 5, 0},
        // Where only one row fits a page is still one row.
        {PageDown, 10, 1, 11},
        {PageUp, 10, 1, 9},
        {PageDown, 10, 0, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << static_cast<int>(c.key) << " from "
                                        << c.focusItem << " with " << c.fullRows << " rows");
        KeyState state = State(c.key);
        state.focusItem = c.focusItem;
        state.fullRows = c.fullRows;
        const KeyPlan plan = PlanKey(state);
        EXPECT_EQ(plan.action, KeyAction::MoveFocus);
        EXPECT_EQ(plan.row, c.expectedRow);
        EXPECT_EQ(plan.column, 1);
        EXPECT_TRUE(plan.select);
        EXPECT_FALSE(plan.extend);
    }
    KeyState empty = State(Down);
    empty.rowCount = 0;
    empty.focusItem = -1;
    EXPECT_EQ(PlanKey(empty).action, KeyAction::None);
}

TEST(PlanKey, CtrlMovesOnlyTheFocusAndShiftExtends) {
    KeyPlan plan = PlanKey(State(Down, true, false));
    EXPECT_EQ(plan.action, KeyAction::MoveFocus);
    EXPECT_FALSE(plan.select);
    plan = PlanKey(State(Down, false, true));
    EXPECT_TRUE(plan.select);
    EXPECT_TRUE(plan.extend);
}

TEST(PlanKey, LeftAndRight) {
    const struct {
        bool focusCell;
        ListKey key;
        bool control;
        int32_t scrollX;
        KeyAction action;
        int32_t column;
        int32_t expectedScrollX;
    } cases[] = {
        {true, Left, false, 40, KeyAction::MoveFocus, 0, 0},
        {true, Right, false, 40, KeyAction::MoveFocus, 2, 0},
        {false, Left, false, 40, KeyAction::ScrollHorizontally, 1, 35},
        {false, Left, true, 40, KeyAction::ScrollHorizontally, 1, 0},  // 50 with Ctrl
        {false, Left, false, 5, KeyAction::ScrollHorizontally, 1, 0},
        {false, Right, false, 40, KeyAction::ScrollHorizontally, 1, 45},
        {false, Right, true, 40, KeyAction::ScrollHorizontally, 1, 90},
        // On to the right end, however wide the list is.
        {false, Right, true, 280, KeyAction::ScrollHorizontally, 1, 299},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "focusCell " << c.focusCell << " key "
                                        << static_cast<int>(c.key) << " ctrl " << c.control);
        KeyState state = State(c.key, c.control);
        state.focusCell = c.focusCell;
        state.scrollX = c.scrollX;
        const KeyPlan plan = PlanKey(state);
        EXPECT_EQ(plan.action, c.action);
        EXPECT_EQ(plan.row, 10);
        EXPECT_EQ(plan.column, c.column);
        if (c.action == KeyAction::ScrollHorizontally) {
            EXPECT_EQ(plan.scrollX, c.expectedScrollX);
        }
        EXPECT_EQ(plan.select, !c.control);
    }
    KeyState first = State(Left);
    first.focusCell = true;
    first.focusColumn = 0;
    EXPECT_EQ(PlanKey(first).column, 0);
    KeyState last = State(Right);
    last.focusCell = true;
    last.focusColumn = 2;
    EXPECT_EQ(PlanKey(last).column, 2);
}

TEST(PlanKey, TabMovesAlongTheCellsInFocusCellMode) {
    KeyState state = State(Tab);
    state.focusCell = true;
    KeyPlan plan = PlanKey(state);
    EXPECT_EQ(plan.action, KeyAction::MoveFocus);
    EXPECT_EQ(plan.column, 2);
    EXPECT_TRUE(plan.select);
    state.shift = true;
    plan = PlanKey(state);
    EXPECT_EQ(plan.column, 0);
    EXPECT_TRUE(plan.extend);
    state.control = true;
    EXPECT_EQ(PlanKey(state).action, KeyAction::None);
    EXPECT_FALSE(PlanKey(state).select);

    // Outside focusCell mode Tab only selects the focused row again.
    plan = PlanKey(State(Tab));
    EXPECT_EQ(plan.action, KeyAction::None);
    EXPECT_TRUE(plan.select);
    EXPECT_EQ(plan.row, 10);
}

TEST(KeepsTab, OnlyWhileTheFocusCanMoveAlongTheRow) {
    const struct {
        bool focusCell;
        int32_t focusItem;
        int32_t focusColumn;
        bool shift;
        bool control;
        bool keeps;
    } cases[] = {
        {false, 10, 1, false, false, false},  // rows: Tab goes on to the next control
        {true, 10, 1, false, false, true},
        {true, 10, 2, false, false, false},  // last cell: on to the next control
        {true, 10, 2, true, false, true},
        {true, 10, 0, true, false, false},  // first cell backwards: to the previous one
        {true, 10, 1, false, true, false},  // Ctrl+Tab is never the list's
        {true, -1, 1, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.focusCell << " " << c.focusItem << " " << c.focusColumn
                                        << " " << c.shift << c.control);
        KeyState state = State(Tab, c.control, c.shift);
        state.focusCell = c.focusCell;
        state.focusItem = c.focusItem;
        state.focusColumn = c.focusColumn;
        EXPECT_EQ(KeepsTab(state), c.keeps);
    }
}

TEST(PlanKey, SpaceTogglesCheckCells) {
    const std::vector<ListColumn> columns = Columns({FormatCheck, FormatText, FormatTriState});
    std::vector<ListColumn> readOnly = columns;
    readOnly[2].flags = ReadOnly;
    const struct {
        const std::vector<ListColumn>* columns;
        int32_t focusItem;
        int32_t focusColumn;
        KeyAction action;
        int32_t column;
    } cases[] = {
        {&columns, 10, 2, KeyAction::ToggleCheck, 2},  {&columns, 10, 1, KeyAction::None, -1},
        {&columns, 10, -1, KeyAction::ToggleCheck, 0},  // no focused column: sub-item 0
        {&columns, -1, 0, KeyAction::None, -1},         // no focused row
        {&readOnly, 10, 2, KeyAction::None, -1},       {&kTextColumns, 10, -1, KeyAction::None, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "focus " << c.focusItem << "," << c.focusColumn);
        KeyState state = State(Space);
        state.columns = *c.columns;
        state.focusItem = c.focusItem;
        state.focusColumn = c.focusColumn;
        const KeyPlan plan = PlanKey(state);
        EXPECT_EQ(plan.action, c.action);
        if (c.action == KeyAction::ToggleCheck) {
            EXPECT_EQ(plan.row, c.focusItem);
            EXPECT_EQ(plan.column, c.column);
        }
    }
}

TEST(PlanKey, LettersSearchCtrlASelectsAllCtrlCAndCtrlInsertCopy) {
    KeyState state = State(Letter);
    state.letter = u'A';
    EXPECT_EQ(PlanKey(state).action, KeyAction::TypeAhead);
    state.control = true;
    EXPECT_EQ(PlanKey(state).action, KeyAction::SelectAll);
    state.singleSelect = true;
    EXPECT_EQ(PlanKey(state).action, KeyAction::None);
    state.singleSelect = false;
    state.letter = u'B';
    EXPECT_EQ(PlanKey(state).action, KeyAction::None);
    state.letter = u'C';
    EXPECT_EQ(PlanKey(state).action, KeyAction::Copy);
    EXPECT_EQ(PlanKey(State(Insert, true)).action, KeyAction::Copy);
    EXPECT_EQ(PlanKey(State(Insert, true, true)).action, KeyAction::None);  // Shift+Insert pastes
    EXPECT_EQ(PlanKey(State(Other)).action, KeyAction::None);
}

// Keys applied to a selection as the list applies them: the focus moves, and
// without Ctrl the selection follows (extending with Shift).
class KeyedSelection {
  public:
    explicit KeyedSelection(int32_t rows, int32_t fullRows) : rows_(rows), fullRows_(fullRows) {}

    void Press(ListKey key, bool control = false, bool shift = false) {
        const FocusedCell focus = selection.Focus(false);
        KeyState state;
        state.key = key;
        state.control = control;
        state.shift = shift;
        state.focusItem = focus.row;
        state.focusColumn = focus.column;
        state.rowCount = rows_;
        state.columns = kTextColumns;
        state.fullRows = fullRows_;
        const KeyPlan plan = PlanKey(state);
        if (plan.action == KeyAction::MoveFocus) {
            selection.MoveFocus(plan.row, plan.column);
        }
        if (plan.select) {
            selection.Select(selection.FocusItem(), selection.FocusColumn(),
                             shift ? uint32_t{SelectShift} : 0, false, rows_);
        }
    }

    ListSelection selection;

  private:
    int32_t rows_;
    int32_t fullRows_;
};

TEST(KeyboardSelection, CtrlDownTwiceLandsOnTheSameRow) {
    KeyedSelection list(10, 5);
    list.selection.Select(2, -1, 0, false, 10);
    list.Press(Down, true);
    EXPECT_EQ(list.selection.FocusItem(), 3);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{2}));
    // The focus comes from the selection again, which is still row 2.
    list.Press(Down, true);
    EXPECT_EQ(list.selection.FocusItem(), 3);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{2}));
    list.Press(Down);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{3}));
}

TEST(KeyboardSelection, ShiftDownExtendsFromTheAnchor) {
    KeyedSelection list(10, 5);
    list.selection.Select(4, -1, 0, false, 10);
    list.Press(Down, false, true);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{4, 5}));
    list.Press(Down, false, true);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{4, 5, 6}));
    list.Press(Up, false, true);
    list.Press(Up, false, true);
    list.Press(Up, false, true);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{3, 4}));
    EXPECT_EQ(list.selection.Anchor(), 4);
}

TEST(KeyboardSelection, PageDownOnTheLastPageGoesToTheLastRow) {
    KeyedSelection list(12, 5);
    list.Press(Home);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{0}));
    list.Press(PageDown);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{4}));
    list.Press(PageDown);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{8}));
    list.Press(PageDown);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{11}));
    list.Press(PageDown);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{11}));
    list.Press(PageUp, false, true);
    EXPECT_EQ(list.selection.Rows(), (std::set<int32_t>{7, 8, 9, 10, 11}));
}

// Type-ahead.

TextRowStore Rows(std::vector<std::u16string> texts) {
    TextRowStore store;
    for (std::u16string& text : texts) {
        store.Add({{u"", std::move(text)}});
    }
    return store;
}

struct Key {
    char16_t letter;
    uint32_t time;     // milliseconds
    int32_t selected;  // row selected, -1 for none
};

// Types the keys in order; a selected row becomes the focused row.
void RunKeys(const ListRowStore& rows, const std::vector<Key>& keys, int32_t focus = -1) {
    TypeAheadSearch search;
    int index = 0;
    for (const Key& key : keys) {
        SCOPED_TRACE(testing::Message() << "key " << index++ << " '"
                                        << static_cast<char>(key.letter) << "' at " << key.time);
        const int32_t row = search.Type(key.letter, key.time, focus, rows, 1);
        EXPECT_EQ(row, key.selected);
        if (row != -1) {
            focus = row;
        }
    }
}

const TextRowStore kChecks = Rows({u"Operating system", u"memory", u"Disk space", u"Processor",
                                   u"Monitor", u"Mouse", u"Printer"});

TEST(TypeAhead, SameLetterCyclesThroughTheRows) {
    RunKeys(kChecks, {
                         {u'M', 10000, 1},
                         {u'M', 10100, 4},  // quick or slow, the next row with M
                         {u'M', 12000, 5},
                         {u'M', 12100, 1},  // past the end: from the top again
                     });
}

TEST(TypeAhead, QuickLettersFindARowBeginningWithAll) {
    RunKeys(kChecks, {
                         {u'M', 10000, 1},
                         {u'O', 10300, 4},  // "MO": Monitor
                         {u'U', 10600, 5},  // "MOU": Mouse
                     });
    RunKeys(kChecks, {
                         {u'P', 10000, 3},
                         {u'R', 10500, -1},  // "PR": the focused Processor still matches
                         {u'I', 11000, 6},   // "PRI"
                     });
}

TEST(TypeAhead, PauseStartsANewSearch) {
    RunKeys(kChecks, {
                         {u'M', 10000, 1},
                         {u'O', 10800, 0},  // 800 ms: "O" alone, from the top
                         {u'P', 20000, 3},
                         {u'D', 20799, -1},  // within 800 ms: "PD" matches nothing
                     });
}

TEST(TypeAhead, SearchStartsAfterTheFocusAndWrapsOnce) {
    RunKeys(kChecks, {
                         {u'P', 10000, 3},  // a first letter searches from the top
                         {u'P', 12000, 6},  // the same one after the focused row
                         {u'P', 14000, 3},  // nothing after Printer: from the top
                         {u'Z', 16000, -1},
                     });
    RunKeys(kChecks, {{u'P', 10000, 3}}, 5);  // a new letter ignores the focus
    RunKeys(Rows({}), {{u'A', 10000, -1}});
}

TEST(TypeAhead, TickCountWrapsAround) {
    RunKeys(kChecks,
            {
                {u'M', 0xFFFFFF00, 1}, {u'O', 0x00000010, 4},  // 272 ms later, across the wrap
            });
}

}  // namespace
