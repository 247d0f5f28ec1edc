#include "systest/ui/userlist/text_row_store.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::u16string> Column(const TextRowStore& store, int32_t subItem) {
    std::vector<std::u16string> texts;
    for (int32_t row = 0; row < store.ItemCount(); ++row) {
        texts.push_back(store.ItemText(row, subItem));
    }
    return texts;
}

TEST(TextRowStore, AnswersAndKeepsValues) {
    TextRowStore store;
    EXPECT_EQ(store.Add({{u"a", u"1"}, 2, u"tip"}), 0);
    EXPECT_EQ(store.Add({{u"b"}}), 1);
    EXPECT_EQ(store.ItemText(0, 1), u"1");
    EXPECT_EQ(store.ItemText(1, 1), u"");  // a cell the row lacks
    EXPECT_EQ(store.ItemText(2, 0), u"");
    EXPECT_EQ(store.ItemText(0, -1), u"");
    EXPECT_EQ(store.ItemImage(0, 0), 2);
    EXPECT_EQ(store.ItemImage(0, 1), -1);
    EXPECT_EQ(store.ItemImage(1, 0), -1);
    EXPECT_EQ(store.ItemImage(-1, 0), -1);
    EXPECT_EQ(store.ItemToolTip(0), u"tip");
    EXPECT_EQ(store.ItemToolTip(5), u"");

    store.SetItemValue(0, 1, u"-12");
    store.SetItemValue(1, 3, u"20240229123000");  // grows the row
    store.SetItemValue(2, 0, u"x");               // no such row: dropped
    store.SetItemValue(0, -1, u"x");
    EXPECT_EQ(store.ItemText(0, 1), u"-12");
    EXPECT_EQ(store.ItemText(1, 3), u"20240229123000");
    CellDate date;
    ASSERT_TRUE(store.ItemDate(1, 3, date));
    EXPECT_EQ(date.day, 29);
}

TEST(TextRowStore, SortsStablyAndReverses) {
    TextRowStore store;
    store.Add({{u"b", u"1"}});
    store.Add({{u"a", u"2"}});
    store.Add({{u"b", u"3"}});
    store.Add({{u"B", u"4"}});
    store.SortItems(0, true);
    EXPECT_EQ(Column(store, 1), (std::vector<std::u16string>{u"4", u"2", u"1", u"3"}));
    store.SortItems(0, false);
    EXPECT_EQ(Column(store, 1), (std::vector<std::u16string>{u"1", u"3", u"2", u"4"}));
    store.ReverseItems();
    EXPECT_EQ(Column(store, 1), (std::vector<std::u16string>{u"4", u"2", u"3", u"1"}));
    store.SortItems(7, true);  // a sub-item no row has: the order stays
    EXPECT_EQ(Column(store, 1), (std::vector<std::u16string>{u"4", u"2", u"3", u"1"}));
}

}  // namespace
