#include "systest/ui/userlist/list_selection.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

constexpr int32_t kRows = 10;
constexpr uint32_t kNone = 0;
constexpr uint32_t kShift = SelectShift;
constexpr uint32_t kCtrl = SelectControl;

struct Step {
    int32_t row;
    int32_t column;
    uint32_t keys;
    // After the step:
    std::set<int32_t> selected;
    int32_t anchor;
    int32_t focusItem;
    int32_t focusColumn;
    bool notified;  // ULN_SELECTED
};

void RunSteps(const std::vector<Step>& steps, bool singleSelect) {
    ListSelection selection;
    int index = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << index++);
        const SelectionChange change =
            selection.Select(s.row, s.column, s.keys, singleSelect, kRows);
        EXPECT_EQ(selection.Rows(), s.selected);
        EXPECT_EQ(selection.Anchor(), s.anchor);
        EXPECT_EQ(selection.FocusItem(), s.focusItem);
        EXPECT_EQ(selection.FocusColumn(), s.focusColumn);
        EXPECT_EQ(change.selected, s.notified);
        if (change.selected) {
            EXPECT_EQ(change.row, s.focusItem);
            EXPECT_EQ(change.column, s.focusColumn);
        }
    }
}

TEST(ListSelection, PlainClicksSelectOneRow) {
    RunSteps(
        {
            {2, 1, kNone, {2}, 2, 2, 1, true},
            {2, 0, kNone, {2}, 2, 2, 0, false},  // the only selected row again: no notice
            {5, 1, kNone, {5}, 5, 5, 1, true},
            {10, 0, kNone, {5}, 5, 5, 1, false},  // out of range: nothing
            {-1, 0, kNone, {5}, 5, 5, 1, false},
        },
        false);
}

TEST(ListSelection, ShiftSelectsFromTheAnchorAndCtrlToggles) {
    RunSteps(
        {
            {3, 0, kNone, {3}, 3, 3, 0, true},
            {6, 1, kShift, {3, 4, 5, 6}, 3, 6, -1, true},
            {1, 1, kShift, {1, 2, 3}, 3, 1, -1, true},                // the anchor stays
            {8, 0, kCtrl, {1, 2, 3, 8}, 8, 8, -1, true},              // added, becomes the anchor
            {2, 0, kCtrl, {1, 3, 8}, 2, 2, -1, false},                // removed: no notice
            {6, 0, kShift | kCtrl, {2, 3, 4, 5, 6}, 2, 6, -1, true},  // Shift wins
            {4, 0, kNone, {4}, 4, 4, 0, true},
            {4, 1, kCtrl, {}, 4, 4, 1, false},
            {7, 1, kCtrl, {7}, 7, 7, 1, true},
        },
        false);
}

TEST(ListSelection, ShiftWithoutAnchorStartsAtTheRow) {
    RunSteps({{4, 0, kShift, {4}, 4, 4, 0, true}}, false);
}

TEST(ListSelection, SingleSelectKeepsOneRow) {
    RunSteps(
        {
            {3, 0, kNone, {3}, 3, 3, 0, true},
            {6, 1, kShift, {6}, 6, 6, 1, true},
            {2, 1, kCtrl, {2}, 2, 2, 1, true},
            // Ctrl on the selected row: the selection was emptied first, so the
            // row is added again rather than removed.
            {2, 0, kCtrl, {2}, 2, 2, 0, true},
            {5, 0, kShift | kCtrl, {5}, 5, 5, 0, true},
        },
        true);
}

TEST(ListSelection, ScreenReaderRequests) {
    constexpr uint32_t kFocus = AccessibleTakeFocus;
    constexpr uint32_t kTake = AccessibleTakeSelection;
    constexpr uint32_t kExtend = AccessibleExtendSelection;
    constexpr uint32_t kAdd = AccessibleAddSelection;
    constexpr uint32_t kRemove = AccessibleRemoveSelection;
    const struct {
        int32_t row;
        uint32_t flags;
        bool valid;
        std::set<int32_t> selected;
        int32_t anchor;
        int32_t focusRow;  // as GetFocusItem gives it
    } steps[] = {
        {2, kFocus | kTake, true, {2}, 2, 2},
        {5, kAdd, true, {2, 5}, 2, 2},                    // neither focus nor anchor move
        {4, kFocus | kExtend, true, {2, 3, 4, 5}, 4, 4},  // the anchor 2 was selected
        {7, kExtend | kRemove, true, {2, 3}, 4, 2},
        {3, kRemove, true, {2}, 4, 2},
        {6, kFocus, true, {2}, 6, 2},  // focus alone selects nothing
        {1, kTake | kAdd, false, {2}, 6, 2},
        {1, kAdd | kRemove, false, {2}, 6, 2},
        {1, kTake | kExtend, false, {2}, 6, 2},
        {8, kTake, true, {8}, 6, 8},
    };
    ListSelection selection;
    int index = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << index++);
        EXPECT_EQ(selection.SelectAccessible(s.row, s.flags, false), s.valid);
        EXPECT_EQ(selection.Rows(), s.selected);
        EXPECT_EQ(selection.Anchor(), s.anchor);
        EXPECT_EQ(selection.Focus(false).row, s.focusRow);
    }

    // A single-select list keeps one row however the reader asks.
    ListSelection single;
    single.SelectAccessible(2, kTake, true);
    single.SelectAccessible(5, kAdd, true);
    EXPECT_EQ(single.Rows(), (std::set<int32_t>{5}));
    single.SelectAccessible(7, kExtend, true);
    EXPECT_EQ(single.Rows(), (std::set<int32_t>{7}));
}

TEST(ListSelection, FocusFollowsTheSelection) {
    ListSelection selection;
    EXPECT_FALSE(selection.Focus(false).valid);

    selection.Select(4, 1, kNone, false, kRows);
    FocusedCell focus = selection.Focus(true);
    EXPECT_TRUE(focus.valid);
    EXPECT_EQ(focus.row, 4);
    EXPECT_EQ(focus.column, 1);
    EXPECT_EQ(selection.Focus(false).column, -1);  // columns count in focusCell mode only

    selection.Select(7, 0, kShift, false, kRows);
    selection.Select(7, 0, kCtrl, false, kRows);  // focus on a row no longer selected
    focus = selection.Focus(true);
    EXPECT_EQ(focus.row, 4);  // the lowest selected row
    EXPECT_EQ(focus.column, -1);

    selection.Clear();
    EXPECT_TRUE(selection.Rows().empty());
    EXPECT_EQ(selection.Anchor(), -1);
    EXPECT_EQ(selection.FocusItem(), -1);
    EXPECT_EQ(selection.FocusColumn(), -1);
    EXPECT_FALSE(selection.Focus(true).valid);
}

TEST(ListSelection, FocusMovesWithoutTheSelection) {
    ListSelection selection;
    selection.Select(3, 1, kNone, false, kRows);
    selection.MoveFocus(5, 2);
    EXPECT_EQ(selection.Rows(), (std::set<int32_t>{3}));
    EXPECT_EQ(selection.FocusItem(), 5);
    EXPECT_EQ(selection.FocusColumn(), 2);
    // The focus of an unselected row falls back on the selection.
    const FocusedCell focus = selection.Focus(true);
    EXPECT_EQ(focus.row, 3);
}

TEST(ListSelection, SelectAllKeepsAnchorAndFocus) {
    ListSelection selection;
    selection.Select(3, 1, kNone, false, kRows);
    selection.SelectAll(kRows);
    EXPECT_EQ(selection.Rows().size(), static_cast<size_t>(kRows));
    EXPECT_EQ(selection.Anchor(), 3);
    EXPECT_EQ(selection.FocusItem(), 3);
    EXPECT_EQ(selection.FocusColumn(), -1);  // several rows: no focused column
}

TEST(ListSelection, BandSelectsARange) {
    ListSelection selection;
    selection.Select(8, 1, kNone, false, kRows);
    selection.SelectBand(2, 4);
    EXPECT_EQ(selection.Rows(), (std::set<int32_t>{2, 3, 4}));
    EXPECT_EQ(selection.Anchor(), 2);
    EXPECT_EQ(selection.FocusItem(), 4);
    EXPECT_EQ(selection.FocusColumn(), -1);
    selection.SelectBand(0, -1);
    EXPECT_TRUE(selection.Rows().empty());
    EXPECT_EQ(selection.Anchor(), -1);
}

}  // namespace
