#include "systest/ui/userlist/type_ahead.h"

#include "systest/ui/userlist/text_row_store.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
