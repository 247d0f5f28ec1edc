// A program without the list's images and cursors: Initialise fails, the
// creation of a list window fails, and an attached list that could not be
// initialised still answers and paints without rows or metrics.
#include "systest/ui/userlist/text_row_store.h"
#include "systest/ui/userlist/win/user_list.h"

#include "common/win/gdi.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

class UninitialisedList : public testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        RegisterUserListClass(GetModuleHandleW(nullptr));
        parent_.reset(CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(parent_);
    }

    UniqueWindow parent_;
};

TEST_F(UninitialisedList, CreationFailsFromWmCreate) {
    TextRowStore rows;
    UserList list(rows);
    EXPECT_EQ(list.Create(parent_.get(), 1001, RECT{0, 0, 200, 100}), nullptr);
    EXPECT_EQ(list.Window(), nullptr);
    EXPECT_EQ(GetWindow(parent_.get(), GW_CHILD), nullptr);  // nothing left behind
}

TEST_F(UninitialisedList, AttachedListWithoutMetricsStillWorks) {
    TextRowStore rows;
    UserList list(rows);
    HWND window = CreateWindowExW(0, kUserListClassName, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200,
                                  100, parent_.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(list.Attach(window));
    EXPECT_FALSE(list.Initialise());

    ListColumn column;
    column.title = u"Status";
    column.width = 80;
    EXPECT_TRUE(list.AddColumn(column));
    rows.Add(TextRow({u"Failed", u"Memory"}, 0));
    list.RowsAdded();
    EXPECT_TRUE(list.AutoSizeColumn(0));
    int32_t row = -1;
    int32_t hitColumn = -1;
    EXPECT_FALSE(list.HitTest(10, 10, row, hitColumn));

    // No row height: painting and scrolling show no rows rather than dividing by zero.
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    SendMessageW(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    UniqueCreatedDc dc(CreateCompatibleDC(nullptr));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc.get(), 200, 100));
    SelectedObject selected(dc.get(), bitmap.get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    UpdateWindow(window);
    EXPECT_TRUE(list.SelectItem(0, 0, 0));
}

TEST(UnattachedList, KeepsColumnsAndRowsWithoutAWindow) {
    TextRowStore rows;
    UserList list(rows);
    ListColumn column;
    column.width = 80;
    EXPECT_TRUE(list.AddColumn(column));
    rows.Add(TextRow({u"Failed", u"Memory"}, 0));
    rows.Add(TextRow({u"Passed", u"Disk"}, 2));
    list.RowsAdded();
    EXPECT_TRUE(list.SelectItem(1, 0, 0));
    EXPECT_TRUE(list.IsSelected(1));
    EXPECT_FALSE(list.AutoSizeColumn(0));  // nothing to measure with
}

}  // namespace
