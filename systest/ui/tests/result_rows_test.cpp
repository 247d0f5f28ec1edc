#include "systest/ui/result_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two images of a strip; the store only hands the indexes on.
constexpr int32_t kWarningImage = 1;
constexpr int32_t kPassedImage = 2;

ResultRowStore Store(std::initializer_list<ResultRow> rows) {
    ResultRowStore store;
    for (const ResultRow& row : rows) {
        store.Add(row);
    }
    return store;
}

std::vector<std::u16string> Texts(const ResultRowStore& store) {
    std::vector<std::u16string> texts;
    for (int32_t row = 0; row < store.ItemCount(); ++row) {
        texts.push_back(store.ItemText(row, ResultRowStore::kTextSubItem));
    }
    return texts;
}

TEST(ResultRowStore, AnswersBySubItem) {
    ResultRowStore store;
    EXPECT_EQ(store.Add({kWarningImage, u"Memory", u"Warning"}), 0);
    EXPECT_EQ(store.Add({kNoRowImage, u"Disk", u""}), 1);
    EXPECT_EQ(store.ItemCount(), 2);

    const struct {
        int32_t row;
        int32_t subItem;
        const char16_t* text;
        int32_t image;
    } cases[] = {
        {0, 0, u"Warning", kWarningImage}, {0, 1, u"Memory", kNoRowImage},
        {0, 2, u"", kNoRowImage},          {0, -1, u"", kNoRowImage},
        {1, 0, u"", kNoRowImage},          {1, 1, u"Disk", kNoRowImage},
        {2, 0, u"", kNoRowImage},          {-1, 1, u"", kNoRowImage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "/" << c.subItem);
        EXPECT_EQ(store.ItemText(c.row, c.subItem), c.text);
        EXPECT_EQ(store.ItemImage(c.row, c.subItem), c.image);
    }
    EXPECT_EQ(store.ItemToolTip(0), u"");
}

TEST(ResultRowStore, DatesComeFromTheCellTextAndCommittedValuesAreDropped) {
    ResultRowStore store = Store({{kPassedImage, u"20120315134502", u""}});
    CellDate date;
    ASSERT_TRUE(store.ItemDate(0, 1, date));
    EXPECT_EQ(date.year, 2012);
    EXPECT_EQ(date.second, 2);
    EXPECT_FALSE(store.ItemDate(0, 0, date));  // empty status word: no date

    store.SetItemValue(0, 1, u"19990101000000");
    EXPECT_EQ(store.ItemText(0, 1), u"20120315134502");
}

TEST(ResultRowStore, SortsByCodeUnitsAndKeepsEqualRowsInOrder) {
    ResultRowStore store = Store({
        {0, u"b", u"Passed"},
        {0, u"a", u"passed"},
        {0, u"C", u"Failed"},
        {0, u"\u00e4", u"Passed"},
    });
    store.SortItems(ResultRowStore::kTextSubItem, true);
    EXPECT_EQ(Texts(store), (std::vector<std::u16string>{u"C", u"a", u"b", u"\u00e4"}));
    store.SortItems(ResultRowStore::kTextSubItem, false);
    EXPECT_EQ(Texts(store), (std::vector<std::u16string>{u"\u00e4", u"b", u"a", u"C"}));
    // By status: upper case before lower case; the two "Passed" rows keep
    // their current order.
    store.SortItems(ResultRowStore::kStatusSubItem, true);
    EXPECT_EQ(Texts(store), (std::vector<std::u16string>{u"C", u"\u00e4", u"b", u"a"}));
}

TEST(ResultRowStore, OtherSubItemsLeaveTheOrderAndReverseTurnsItAround) {
    ResultRowStore store = Store({{0, u"x", u"s"}, {0, u"y", u"s"}, {0, u"z", u"s"}});
    store.SortItems(5, true);
    EXPECT_EQ(Texts(store), (std::vector<std::u16string>{u"x", u"y", u"z"}));
    // Reversing swaps rows with equal status words too.
    store.ReverseItems();
    EXPECT_EQ(Texts(store), (std::vector<std::u16string>{u"z", u"y", u"x"}));
}

}  // namespace
