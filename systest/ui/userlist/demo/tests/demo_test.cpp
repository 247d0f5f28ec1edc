// The demonstration list and program: every format drawn and driven, and the
// program's screenshot mode.
#include "systest/ui/userlist/demo/demo_list.h"
#include "systest/ui/userlist/tests/wine/list_fixture.h"
#include "systest/ui/userlist/win/cell_date_format.h"
#include "systest/ui/userlist/win/title_tip.h"
#include "systest/ui/userlist/win/user_list_notify.h"

#include "common/tests/wine/accessible_reading.h"
#include "common/win/com.h"
#include "common/win/handles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kProgressLight = RGB(170, 240, 170);
// Long enough for the program to start, paint and save under a cold Wine.
constexpr DWORD kProgramTimeout = 60000;

class DemoTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        window_ = list_.Create(parent_.get(), kListId, RECT{0, 0, 1160, 300});
        ASSERT_NE(window_, nullptr);
        FillDemoList(list_, rows_);
        notices.clear();
    }

    RECT CellRect(int32_t row, int32_t column) const {
        RECT rect{};
        EXPECT_TRUE(list_.GetItemRect(row, column, rect));
        return rect;
    }

    POINT Centre(int32_t row, int32_t column) const { return CellCentre(list_, row, column); }

    TextRowStore rows_;
    UserList list_{rows_};
    HWND window_ = nullptr;
};

TEST_F(DemoTest, HasAColumnOfEveryFormatAndRowsToScroll) {
    std::set<int32_t> formats;
    for (int32_t i = 0; i < DemoColumnCount; ++i) {
        ListColumn column;
        ASSERT_TRUE(list_.GetColumn(i, column));
        formats.insert(column.format);
    }
    EXPECT_EQ(formats,
              (std::set<int32_t>{FormatText, FormatEdit, FormatDate, FormatChoice, FormatCheck,
                                 FormatTriState, FormatLink, FormatProgress, FormatCutOff}));
    EXPECT_EQ(rows_.ItemCount(), kDemoRowCount);
    EXPECT_GT(ScrollInfo(window_, SB_VERT).nMax, 0);
    ListColumn locked;
    ASSERT_TRUE(list_.GetColumn(DemoLocked, locked));
    EXPECT_EQ(locked.image, kListImagePadlock);
    EXPECT_NE(locked.flags & ReadOnly, 0u);
}

TEST_F(DemoTest, CutOffColumnEndsThePaintedRow) {
    const Picture picture(window_);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    // Row 0's progress bar is empty (0 %); row 1's is not.
    EXPECT_TRUE(picture.Contains(CellRect(1, DemoProgress), kProgressLight));
    for (int32_t column : {DemoCutOff, DemoHidden}) {
        RECT cell = CellRect(1, column);
        cell.right -= 1;  // the divider pixel belongs to the next column
        for (int y = cell.top; y < cell.bottom; ++y) {
            for (int x = cell.left; x < cell.right; ++x) {
                ASSERT_EQ(Hex(picture.At(x, y)), Hex(background))
                    << column << ": " << x << "," << y;
            }
        }
    }
}

TEST_F(DemoTest, EditsAndClicksAreKept) {
    // The quantity of row 2 is 9: typing "-" and Enter makes it -9.
    Click(window_, Centre(2, DemoQuantity).x, Centre(2, DemoQuantity).y);
    HWND edit = FindWindowExW(window_, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, EM_SETSEL, 1, 1);
    SendMessageW(edit, WM_CHAR, L'-', 0);
    SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(rows_.ItemText(2, DemoQuantity), u"-9");

    // Done of row 0 is ticked: a click takes the tick away.
    Click(window_, Centre(0, DemoDone).x, Centre(0, DemoDone).y);
    EXPECT_EQ(rows_.ItemText(0, DemoDone), u"0");
    // The locked column is read-only: a click on the selected row only tells.
    notices.clear();
    Click(window_, Centre(0, DemoLocked).x, Centre(0, DemoLocked).y);
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_LEFTCLICK, 0, DemoLocked}}));
    EXPECT_FALSE(IsWindowVisible(edit));
}

TEST_F(DemoTest, LongNameShowsATitleTip) {
    // Row 7 holds the longest part name.
    const RECT cell = CellRect(7, DemoName);
    SendMouse(window_, WM_MOUSEMOVE, cell.left + 40, (cell.top + cell.bottom) / 2);
    HWND tip = GetCapture();
    ASSERT_NE(tip, nullptr);
    wchar_t name[64] = {};
    GetClassNameW(tip, name, 64);
    EXPECT_STREQ(name, kTitleTipClassName);
    EXPECT_TRUE(IsWindowVisible(tip));
    SendMessageW(window_, WM_CANCELMODE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(DemoTest, CutOffCellsShowNoTitleTip) {
    // Their texts are longer than the cells, but the rows do not show them.
    for (int32_t column : {DemoCutOff, DemoHidden}) {
        SCOPED_TRACE(column);
        const RECT cell = CellRect(3, column);
        SendMouse(window_, WM_MOUSEMOVE, cell.left + 12, (cell.top + cell.bottom) / 2);
        EXPECT_EQ(GetCapture(), nullptr);
    }
    // The same text in a painted column would get one.
    const RECT name = CellRect(7, DemoName);
    SendMouse(window_, WM_MOUSEMOVE, name.left + 40, (name.top + name.bottom) / 2);
    EXPECT_NE(GetCapture(), nullptr);
}

TEST_F(DemoTest, ScreenReadersReadEveryFormat) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    ComPtr<IAccessible> object = AccessibleOf(window_);
    ASSERT_TRUE(object);
    const std::wstring name = NameOf(*object.get(), 2);
    // Dates as the cells show them; marks have no text; the cut-off ends the row.
    CellDate due;
    CellDate time;
    ParseCellDate(u"20120202000000", due);
    ParseCellDate(u"00000000081500", time);
    EXPECT_EQ(name, L"Drive shaft 02, Check tolerances, 2, " + FormatCellDate(due, DateOnly) +
                        L", " + FormatCellDate(time, TimeOnly) +
                        L", Aluminium, DWG-1013, 17 %, R-101");

    // The default action is the click on the first check box.
    BSTR action = nullptr;
    ASSERT_EQ(object->get_accDefaultAction(ChildId(2), &action), S_OK);
    EXPECT_STREQ(action, L"Check");
    SysFreeString(action);
    EXPECT_EQ(object->accDoDefaultAction(ChildId(2)), S_OK);
    EXPECT_EQ(rows_.ItemText(1, DemoDone), u"1");
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_MODIFIED, 1, DemoDone}}));
}

TEST(DemoProgram, SavesAScreenshot) {
    constexpr wchar_t kFile[] = L"demo_test_screenshot.bmp";
    DeleteFileW(kFile);
    wchar_t commandLine[] = L"userlist_demo.exe --screenshot demo_test_screenshot.bmp";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    UniqueKernelHandle processHandle(process.hProcess);
    UniqueKernelHandle threadHandle(process.hThread);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, kProgramTimeout), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);

    UniqueFileHandle file(CreateFileW(kFile, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    BITMAPFILEHEADER header{};
    BITMAPINFOHEADER info{};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(file.get(), &header, sizeof header, &read, nullptr));
    ASSERT_TRUE(ReadFile(file.get(), &info, sizeof info, &read, nullptr));
    EXPECT_EQ(header.bfType, 0x4D42);  // "BM"
    EXPECT_EQ(header.bfSize, GetFileSize(file.get(), nullptr));
    EXPECT_GT(info.biWidth, 1000);
    EXPECT_GT(info.biHeight, 500);
    file.reset();
    DeleteFileW(kFile);
}

}  // namespace
