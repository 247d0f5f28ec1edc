#include "systest/ui/userlist/list_accessibility.h"

#include "common/text.h"

#include <algorithm>
#include <iterator>

std::u16string RowSentence(std::span<const ListColumn> columns,
                           const std::function<std::u16string(const ListColumn&)>& shownText) {
    std::u16string sentence;
    for (const ListColumn& column : columns) {
        if (column.format == FormatCutOff) {
            break;
        }
        if (column.width == 0) {
            continue;
        }
        const std::u16string text = TrimSpaces(shownText(column));
        if (text.empty()) {
            continue;
        }
        if (!sentence.empty()) {
            sentence += u", ";
        }
        sentence += text;
    }
    return sentence;
}

std::vector<ListEvent> SelectionEvents(const ListSelection& before, const ListSelection& after,
                                       bool listHasFocus) {
    std::vector<int32_t> added;
    std::vector<int32_t> removed;
    std::set_difference(after.Rows().begin(), after.Rows().end(), before.Rows().begin(),
                        before.Rows().end(), std::back_inserter(added));
    std::set_difference(before.Rows().begin(), before.Rows().end(), after.Rows().begin(),
                        after.Rows().end(), std::back_inserter(removed));

    std::vector<ListEvent> events;
    const bool changed = !added.empty() || !removed.empty();
    if (added.size() + removed.size() > kSelectionEventLimit) {
        events.push_back({ListEventKind::SelectionWithin, -1});
    } else if (changed && after.Rows().size() == 1) {
        events.push_back({ListEventKind::Selection, *after.Rows().begin()});
    } else {
        for (int32_t row : removed) {
            events.push_back({ListEventKind::SelectionRemove, row});
        }
        for (int32_t row : added) {
            events.push_back({ListEventKind::SelectionAdd, row});
        }
    }
    const int32_t focus = after.Focus(false).row;
    if (listHasFocus && focus != -1 && focus != before.Focus(false).row) {
        events.push_back({ListEventKind::Focus, focus});
    }
    return events;
}
