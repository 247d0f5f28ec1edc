#include "systest/ui/userlist/list_keys.h"

#include "common/text.h"

#include <algorithm>

namespace {

constexpr char16_t kSelectAllLetter = u'A';
constexpr char16_t kCopyLetter = u'C';

bool IsCheckColumn(const ListColumn& column) {
    return (column.format == FormatCheck || column.format == FormatTriState) &&
           !(column.flags & ReadOnly);
}

// Space toggles the focused column, or the column of sub-item 0 when no
// column has the focus.
int32_t SpaceColumn(const KeyState& state) {
    if (state.focusColumn != -1) {
        return state.focusColumn;
    }
    const int32_t count = static_cast<int32_t>(state.columns.size());
    for (int32_t i = 0; i < count; ++i) {
        if (state.columns[static_cast<size_t>(i)].subItem == 0) {
            return i;
        }
    }
    return -1;
}

KeyPlan MoveTo(const KeyState& state, int32_t row, int32_t column) {
    KeyPlan plan;
    plan.action = KeyAction::MoveFocus;
    plan.row = row;
    plan.column = column;
    // With Ctrl only the focus moves; otherwise the selection follows it.
    plan.select = !state.control;
    plan.extend = state.shift;
    return plan;
}

KeyPlan ScrollTo(const KeyState& state, int32_t scrollX) {
    KeyPlan plan;
    plan.action = KeyAction::ScrollHorizontally;
    plan.scrollX = scrollX;
    plan.row = state.focusItem;
    plan.column = state.focusColumn;
    plan.select = !state.control;
    plan.extend = state.shift;
    return plan;
}

KeyPlan PlanTab(const KeyState& state) {
    if (state.control) {
        return {};
    }
    KeyPlan plan;
    plan.row = state.focusItem;
    plan.column = state.focusColumn;
    if (state.focusCell) {
        const int32_t lastColumn = static_cast<int32_t>(state.columns.size()) - 1;
        plan.action = KeyAction::MoveFocus;
        plan.column = state.shift ? std::max(state.focusColumn - 1, 0)
                                  : std::min(state.focusColumn + 1, lastColumn);
    }
    plan.select = true;
    plan.extend = state.shift;
    return plan;
}

bool BeginsWith(const std::u16string& text, const std::u16string& prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (ToUpperAscii(text[i]) != ToUpperAscii(prefix[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

KeyPlan PlanKey(const KeyState& state) {
    const int32_t lastRow = state.rowCount - 1;
    const int32_t lastColumn = static_cast<int32_t>(state.columns.size()) - 1;
    const bool rowKey = state.key == ListKey::PageUp || state.key == ListKey::PageDown ||
                        state.key == ListKey::End || state.key == ListKey::Home ||
                        state.key == ListKey::Up || state.key == ListKey::Down;
    if (rowKey && state.rowCount <= 0) {
        return {};
    }
    // A page is the rows that fit, less the one that stays in view; a single
    // row is still a step.
    const int32_t pageStep = std::max(state.fullRows - 1, 1);
    const int32_t step = state.control ? kKeyScrollStepControl : kKeyScrollStep;
    const int32_t row = state.focusItem;
    const int32_t column = state.focusColumn;

    switch (state.key) {
        case ListKey::Tab:
            return PlanTab(state);
        case ListKey::PageUp:
            return MoveTo(state, std::max(row - pageStep, 0), column);
        case ListKey::PageDown:
            return MoveTo(state, std::min(row + pageStep, lastRow), column);
        case ListKey::End:
            return MoveTo(state, lastRow, column);
        case ListKey::Home:
            return MoveTo(state, 0, column);
        case ListKey::Up:
            return MoveTo(state, std::max(row - 1, 0), column);
        case ListKey::Down:
            return MoveTo(state, std::min(row + 1, lastRow), column);
        case ListKey::Left:
            if (state.focusCell) {
                return MoveTo(state, row, std::max(column - 1, 0));
            }
            return ScrollTo(state, state.scrollX <= step ? 0 : state.scrollX - step);
        case ListKey::Right:
            if (state.focusCell) {
                return MoveTo(state, row, std::min(column + 1, lastColumn));
            }
            // The scroll bar stops the view at the right end.
            return ScrollTo(state, std::min(state.scrollX + step, std::max(state.totalWidth, 0)));
        case ListKey::Space: {
            const int32_t toggled = SpaceColumn(state);
            if (row == -1 || toggled < 0 || toggled > lastColumn ||
                !IsCheckColumn(state.columns[static_cast<size_t>(toggled)])) {
                return {};
            }
            KeyPlan plan;
            plan.action = KeyAction::ToggleCheck;
            plan.row = row;
            plan.column = toggled;
            return plan;
        }
        case ListKey::Insert:
            return {state.control && !state.shift ? KeyAction::Copy : KeyAction::None};
        case ListKey::Letter:
            if (state.control) {
                KeyPlan plan;
                if (state.letter == kSelectAllLetter && !state.singleSelect) {
                    plan.action = KeyAction::SelectAll;
                } else if (state.letter == kCopyLetter) {
                    plan.action = KeyAction::Copy;
                }
                return plan;
            }
            return {KeyAction::TypeAhead};
        default:
            return {};
    }
}

bool KeepsTab(const KeyState& state) {
    if (!state.focusCell || state.control || state.focusItem == -1) {
        return false;
    }
    const auto lastColumn = static_cast<int32_t>(state.columns.size()) - 1;
    return state.shift ? state.focusColumn > 0 : state.focusColumn < lastColumn;
}

int32_t TypeAheadSearch::Type(char16_t letter, uint32_t now, int32_t focusItem,
                              const ListRowStore& rows, int32_t subItem) {
    int32_t start = focusItem + 1;
    const bool paused = now - time_ >= kTypeAheadPause;  // unsigned: survives the wrap
    if (paused) {
        // A new letter starts over from the top; the same letter goes on
        // from the focused row to the next row that begins with it.
        if (text_.empty() || letter != text_.front()) {
            start = 0;
        }
        text_.assign(1, letter);
    } else {
        if (text_.empty() || letter != text_.front()) {
            text_.push_back(letter);
        }
        if (text_.size() >= 2 && BeginsWith(rows.ItemText(focusItem, subItem), text_)) {
            time_ = now;  // the focused row still matches: stay on it
            return -1;
        }
    }
    time_ = now;
    const int32_t count = rows.ItemCount();
    for (int32_t row = std::max(start, 0); row < count; ++row) {
        if (BeginsWith(rows.ItemText(row, subItem), text_)) {
            return row;
        }
    }
    for (int32_t row = 0; row < count; ++row) {
        if (BeginsWith(rows.ItemText(row, subItem), text_)) {
            return row;
        }
    }
    return -1;
}
