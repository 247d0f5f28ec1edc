#include "systest/ui/userlist/type_ahead.h"

#include "common/text.h"

#include <algorithm>

namespace {

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
