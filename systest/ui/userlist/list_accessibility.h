// What a screen reader learns of the list: each row read as one sentence,
// and the events that tell it what a click or a key changed. The window layer
// raises the events with NotifyWinEvent and answers IAccessible from the same
// rules.
#pragma once

#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/list_selection.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// A row as it is read: the texts its cells show, in column order, each
// trimmed of surrounding spaces and joined by ", " ("Passed, This version of
// Windows is supported."). Empty cells and hidden columns (width 0) are left
// out; a FormatCutOff column ends the row, as it ends the painting.
std::u16string RowSentence(std::span<const ListColumn> columns,
                           const std::function<std::u16string(const ListColumn&)>& shownText);

// The events a change of selection or focus raises.
enum class ListEventKind {
    SelectionWithin,  // many rows changed at once: the list itself
    Selection,        // the row is now the only selected one
    SelectionAdd,
    SelectionRemove,
    Focus,  // the row now has the keyboard focus
};

struct ListEvent {
    ListEventKind kind;
    int32_t row;  // -1: the list itself

    friend bool operator==(const ListEvent&, const ListEvent&) = default;
};

// More rows than this changing at once is told as one SelectionWithin.
inline constexpr size_t kSelectionEventLimit = 20;

// What changed between two states of the selection: the selection events
// first (removed rows before added ones), the focus last. The focused row is the
// one GetFocusItem gives (the focused row while it is selected, else the
// lowest selected row); its move is told only while the list has the
// keyboard focus, as a screen reader follows the focus.
std::vector<ListEvent> SelectionEvents(const ListSelection& before, const ListSelection& after,
                                       bool listHasFocus);
