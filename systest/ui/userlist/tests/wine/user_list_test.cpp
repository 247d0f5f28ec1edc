// The list control in a real parent window, in the manner of a control
// conformance suite: messages in, WM_NOTIFY records logged by the parent and
// compared with tables, pictures taken through WM_PRINTCLIENT and checked
// pixel by pixel.
#include "systest/ui/userlist/paint_layout.h"
#include "systest/ui/userlist/tests/wine/list_fixture.h"
#include "systest/ui/userlist/win/list_visuals.h"
#include "systest/ui/userlist/win/user_list_notify.h"

#include "common/win/gdi.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kTickGreen = RGB(16, 150, 40);  // the tick of kListImageGreenTick
constexpr COLORREF kArrowGrey = RGB(72, 72, 72);   // fill of the sort arrows
// The shared session runs at 96 DPI: the layout as written, 16-pixel images.
const ListMetrics kSessionMetrics;

// The list's procedure under a stand-in that says focus rectangles are hidden.
WNDPROC listProcedure = nullptr;

LRESULT CALLBACK FocusCuesHidden(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_QUERYUISTATE
               ? UISF_HIDEFOCUS
               : CallWindowProcW(listProcedure, window, message, wParam, lParam);
}

TEST_F(ListTest, ClassIsRegisteredForDialogTemplates) {
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), kUserListClassName, &info));
    EXPECT_EQ(info.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
    EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EXPECT_EQ(info.hCursor, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(info.lpszMenuName, nullptr);
}

TEST_F(ListTest, AttachingKeepsThePreviousProcedureAndInitialiseSwapsTheBorder) {
    HWND window = nullptr;
    LONG_PTR original = 0;
    {
        TextRowStore rows;
        UserList list(rows);
        window = CreateWindowExW(WS_EX_CLIENTEDGE, kUserListClassName, nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 200, 100, parent_.get(),
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)),
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        original = GetWindowLongPtrW(window, GWLP_WNDPROC);
        ASSERT_TRUE(list.Attach(window));
        EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
        UserList second(rows);
        EXPECT_FALSE(second.Attach(window));  // one object per window

        ASSERT_TRUE(list.Initialise());
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
        EXPECT_EQ(style & WS_BORDER, 0);
        EXPECT_NE(style & WS_CLIPCHILDREN, 0);
        EXPECT_EQ(exStyle & WS_EX_CLIENTEDGE, 0);
        EXPECT_NE(exStyle & WS_EX_STATICEDGE, 0);
        // Tab is the dialog's: a keyboard user moves on from a list of rows.
        EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
        EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, 0, 0), 1);
    }
    // The object is gone, the window stays with its previous procedure.
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), original);
    DestroyWindow(window);
}

TEST_F(ListTest, CreatedWindowIsInitialisedFromWmCreate) {
    TextRowStore rows;
    UserList list(rows);
    HWND window = list.Create(parent_.get(), kListId, RECT{0, 0, 300, 150});
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(list.Window(), window);
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_BORDER, 0);
    AddColumns(list, 100, 100);
    EXPECT_GT(RowHeight(list), 6);  // the font was measured
    EXPECT_EQ(GetDlgCtrlID(window), static_cast<int>(kListId));
}

TEST_F(ListTest, ItemToolTipIsCreatedAndDestroyedWithTheList) {
    TextRowStore rows;
    UserList list(rows);
    HWND window = AttachList(list);
    const HWND toolTip = FindThreadWindow(TOOLTIPS_CLASSW);
    ASSERT_NE(toolTip, nullptr);
    // A popup created for a child window is owned by the top-level window.
    EXPECT_EQ(GetWindow(toolTip, GW_OWNER), parent_.get());
    EXPECT_EQ(SendMessageW(toolTip, TTM_GETMAXTIPWIDTH, 0, 0), 32767);
    DestroyWindow(window);
    EXPECT_FALSE(IsWindow(toolTip));
}

// A list as the main dialog fills it: a status word with an image, and the check.
class FilledListTest : public ListTest {
  protected:
    void Fill(int width0 = 120, int width1 = 200) {
        window_ = AttachList(list_);
        AddColumns(list_, width0, width1);
        EXPECT_EQ(AddRow(list_, rows_, u"Passed", u"Operating system"), 0);
        EXPECT_EQ(AddRow(list_, rows_, u"Warning", u"Memory", kListImagePaperClip), 1);
        EXPECT_EQ(AddRow(list_, rows_, u"Failed", u"Disk space", kListImageRedCross), 2);
        EXPECT_EQ(AddRow(list_, rows_, u"Passed", u"Processor"), 3);
        EXPECT_EQ(AddRow(list_, rows_, u"", u"Screen", kNoRowImage), 4);
    }

    std::vector<std::u16string> Texts() const {
        std::vector<std::u16string> texts;
        for (int32_t row = 0; row < rows_.ItemCount(); ++row) {
            texts.push_back(rows_.ItemText(row, 1));
        }
        return texts;
    }

    TextRowStore rows_;
    UserList list_{rows_};
    HWND window_ = nullptr;
};

TEST_F(FilledListTest, SelectionNotifiesTheParent) {
    Fill();
    const struct {
        int32_t row;
        int32_t column;
        UINT keys;
        std::vector<Notice> expected;
    } steps[] = {
        {1, 1, 0, {{ULN_SELECTED, 1, 1}}},
        {1, 0, 0, {}},  // the only selected row again
        // With several rows selected there is no focused column (-1), which
        // arrives as sub-item 0 like any missing column.
        {3, 1, MK_SHIFT, {{ULN_SELECTED, 3, 0}}},
        {2, 1, MK_CONTROL, {}},  // removed by Ctrl: nothing
        {4, 1, MK_CONTROL, {{ULN_SELECTED, 4, 0}}},
        {0, 7, 0, {{ULN_SELECTED, 0, 0}}},  // a column that does not exist arrives as 0
        {5, 0, 0, {}},                      // no such row
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "row " << step.row << " keys " << step.keys);
        notices.clear();
        list_.SelectItem(step.row, step.column, step.keys);
        EXPECT_EQ(notices, step.expected);
    }
    int32_t row = -1;
    int32_t column = -1;
    EXPECT_TRUE(list_.GetFocusItem(row, column));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(column, -1);  // a column only in focusCell mode

    // Sorting clears the selection and the focus, and tells nothing.
    notices.clear();
    list_.SortColumn(1);
    EXPECT_TRUE(notices.empty());
    EXPECT_FALSE(list_.GetFocusItem(row, column));
}

TEST_F(FilledListTest, SortingAndReversing) {
    Fill();
    list_.SelectItem(2, 0, 0);

    ASSERT_TRUE(list_.SortColumn(1));
    EXPECT_FALSE(list_.IsSelected(2));  // sorting clears the selection
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Disk space", u"Memory", u"Operating system",
                                                    u"Processor", u"Screen"}));
    ASSERT_TRUE(list_.SortColumn(0));  // by status word; equal words keep their order
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Screen", u"Disk space", u"Operating system",
                                                    u"Processor", u"Memory"}));
    ASSERT_TRUE(list_.SortColumn(0));  // again: the rows turn around, equal ones too
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Memory", u"Processor", u"Operating system",
                                                    u"Disk space", u"Screen"}));
    EXPECT_FALSE(list_.SortColumn(2));

    ListOptions options = list_.Options();
    options.sortEnabled = false;
    list_.SetOptions(options);
    EXPECT_FALSE(list_.SortColumn(1));
}

TEST_F(FilledListTest, ColumnOperations) {
    Fill();
    ListColumn image;
    image.image = kListImagePadlock;  // no title
    image.width = 90;
    list_.AddColumn(image);
    ListColumn record;
    ASSERT_TRUE(list_.GetColumn(2, record));
    EXPECT_EQ(record.width, kSessionMetrics.imageSize + 5);
    EXPECT_EQ(record.flags, static_cast<uint32_t>(AlignCenter));
    EXPECT_EQ(record.subItem, 2);
    EXPECT_EQ(record.format, FormatText);
    EXPECT_FALSE(list_.GetColumn(9, record));
    EXPECT_EQ(list_.GetColumnWidth(9), 0);

    // The horizontal bar spans the columns, less a pixel, when they are
    // wider than the list.
    EXPECT_TRUE(list_.SetColumnWidth(1, 500));
    EXPECT_EQ(ScrollInfo(window_, SB_HORZ).nMax, 120 + 500 + 21 - 1);
    EXPECT_FALSE(list_.SetColumnWidth(3, 50));
    EXPECT_TRUE(list_.SetColumnWidth(1, -5));  // no negative widths: hidden
    EXPECT_EQ(list_.GetColumnWidth(1), 0);
    ListColumn fixed;
    fixed.title = u"Fixed";
    fixed.width = 40;
    fixed.fixedWidth = true;
    list_.AddColumn(fixed);
    EXPECT_TRUE(list_.SetColumnWidth(3, 80));
    EXPECT_EQ(list_.GetColumnWidth(3), 40);
    EXPECT_FALSE(list_.AutoSizeColumn(3));

    // Widths as a caller may give them: none below 0, and a total that stays
    // positive however wide the columns are. The list still paints.
    ListColumn negative;
    negative.width = -7;
    list_.AddColumn(negative);
    EXPECT_EQ(list_.GetColumnWidth(4), 0);
    ListColumn huge;
    huge.width = 0x7FFFFFF0;
    list_.AddColumn(huge);
    list_.AddColumn(huge);
    EXPECT_EQ(ScrollInfo(list_.Window(), SB_HORZ).nMax, INT32_MAX - 1);
    EXPECT_GT(Picture(list_.Window()).Width(), 0);
}

TEST_F(FilledListTest, AutoSizeFitsTheWidestTextPlusRoom) {
    Fill(1, 1);  // the main dialog's columns start 1 pixel wide

    const UniqueFont font = CreateMessageFont();
    ASSERT_TRUE(font);
    WindowDc dc(window_);
    SelectedObject selected(dc.get(), font.get());
    const auto extent = [&](const wchar_t* text) {
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), text, lstrlenW(text), &size);
        return static_cast<int32_t>(size.cx);
    };

    ASSERT_TRUE(list_.AutoSizeColumn(0));
    // The status words have row images; "Warning" is the widest of them.
    const int32_t statusWidth = std::max(extent(L"Status") + 20, extent(L"Warning") + 16 + 20);
    EXPECT_EQ(list_.GetColumnWidth(0), statusWidth);
    ASSERT_TRUE(list_.AutoSizeColumn(1));
    EXPECT_EQ(list_.GetColumnWidth(1), extent(L"Operating system") + 20);
    EXPECT_FALSE(list_.AutoSizeColumn(2));
}

TEST_F(FilledListTest, ScrollBarsFollowRowsAndColumns) {
    TextRowStore none;
    UserList empty(none);
    AttachList(empty, 300, 200);
    AddColumns(empty, 100, 100);
    SCROLLINFO info = ScrollInfo(empty.Window(), SB_VERT);
    EXPECT_EQ(info.nMax, 0);  // no rows: no vertical bar
    EXPECT_EQ(GetWindowLongPtrW(empty.Window(), GWL_STYLE) & WS_VSCROLL, 0);

    HWND window = AttachList(list_, 300, 200);
    AddColumns(list_, 250, 250);
    for (int i = 0; i < 40; ++i) {
        AddRow(list_, rows_, u"Passed", u"Row");
    }
    const int32_t rowHeight = RowHeight(list_);
    RECT client{};
    GetClientRect(window, &client);
    info = ScrollInfo(window, SB_VERT);
    EXPECT_EQ(info.nMax, rowHeight + 40 * rowHeight);
    EXPECT_EQ(static_cast<int>(info.nPage), client.bottom - rowHeight);
    info = ScrollInfo(window, SB_HORZ);
    EXPECT_EQ(info.nMax, 499);
    EXPECT_EQ(static_cast<int>(info.nPage), client.right);

    // Down to row 30: it becomes the last fully visible row.
    list_.SelectItem(0, 0, 0);
    for (int i = 0; i < 30; ++i) {
        PressKey(window, VK_DOWN);
    }
    const int32_t fullRows = (client.bottom - rowHeight) / rowHeight;
    EXPECT_EQ(GetScrollPos(window, SB_VERT), (30 + 1 - fullRows) * rowHeight);
    RECT item{};
    ASSERT_TRUE(list_.GetItemRect(30, -1, item));
    EXPECT_EQ(item.bottom, rowHeight + fullRows * rowHeight);
    int32_t row = -1;
    int32_t column = -1;
    EXPECT_TRUE(list_.HitTest(10, item.top + 1, row, column));
    EXPECT_EQ(row, 30);
    EXPECT_EQ(column, 0);
}

// A caller fills a large list with redraw off: the rows come without scroll
// bar updates or painting; turning redraw on sets the bars and paints, once.
TEST_F(FilledListTest, RedrawOffDefersScrollBarsAndPainting) {
    HWND window = AttachList(list_, 300, 200);
    AddColumns(list_, 250, 250);
    UpdateWindow(window);
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < 40; ++i) {
        AddRow(list_, rows_, u"Passed", u"Row");
    }
    EXPECT_EQ(ScrollInfo(window, SB_VERT).nMax, 0);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));

    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    EXPECT_EQ(ScrollInfo(window, SB_VERT).nMax, 41 * RowHeight(list_));
    RECT update{};
    ASSERT_TRUE(GetUpdateRect(window, &update, FALSE));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_TRUE(EqualRect(&update, &client));
    UpdateWindow(window);
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);  // already on: nothing more to paint
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
}

TEST_F(FilledListTest, HeaderRowAndFrame) {
    Fill();
    const Picture picture(window_);
    const int32_t header = RowHeight(list_);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // Light along the top and left, shadow along the bottom; the right edge
    // lies outside the client area.
    EXPECT_EQ(Hex(picture.At(0, 0)), Hex(light));
    EXPECT_EQ(Hex(picture.At(200, 0)), Hex(light));
    EXPECT_EQ(Hex(picture.At(0, header / 2)), Hex(light));
    EXPECT_EQ(Hex(picture.At(200, header - 1)), Hex(shadow));
    EXPECT_EQ(Hex(picture.At(picture.Width() - 1, header / 2)), Hex(face));
    // The divider of column 0: shadow left of its right edge, light on it.
    EXPECT_EQ(Hex(picture.At(119, header / 2)), Hex(shadow));
    EXPECT_EQ(Hex(picture.At(120, header / 2)), Hex(light));
    EXPECT_EQ(Hex(picture.At(119, 2)), Hex(face));  // dividers stop short of the edges
    // Below the header the background.
    EXPECT_EQ(Hex(picture.At(picture.Width() - 1, picture.Height() - 1)),
              Hex(GetSysColor(COLOR_WINDOW)));
}

TEST_F(FilledListTest, SelectedRowIsHighlightedWithoutTheFocusAndFramedWithIt) {
    Fill();
    list_.SelectItem(1, 0, 0);
    ASSERT_NE(GetFocus(), window_);
    const Picture picture(window_);
    RECT row{};
    ASSERT_TRUE(list_.GetItemRect(1, -1, row));
    const int y = (row.top + row.bottom) / 2;
    EXPECT_EQ(Hex(picture.At(row.right - 3, y)), Hex(GetSysColor(COLOR_HIGHLIGHT)));
    EXPECT_EQ(Hex(picture.At(row.right - 3, y + RowHeight(list_))), Hex(GetSysColor(COLOR_WINDOW)));
    // The row ends with the columns.
    EXPECT_EQ(Hex(picture.At(row.right + 2, y)), Hex(GetSysColor(COLOR_WINDOW)));

    // With the keyboard focus the row is framed by a dotted focus rectangle,
    // unless the system hides focus rectangles until the keyboard is used.
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF dotted =
        RGB(255 - GetRValue(highlight), 255 - GetGValue(highlight), 255 - GetBValue(highlight));
    const RECT topEdge{row.left, row.top, row.right, row.top + 1};
    EXPECT_FALSE(picture.Contains(topEdge, dotted));
    SetFocus(window_);
    SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    EXPECT_TRUE(Picture(window_).Contains(topEdge, dotted));
    // Windows hides focus rectangles until the keyboard is used. Wine always
    // shows keyboard cues (SPI_GETKEYBOARDCUES is on, UIS_SET is ignored), so
    // a procedure in front of the list answers WM_QUERYUISTATE as Windows does.
    listProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FocusCuesHidden)));
    EXPECT_FALSE(Picture(window_).Contains(topEdge, dotted));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProcedure));

    // Scrolled fully right, the highlight reaches the last client pixel.
    ASSERT_TRUE(list_.SetColumnWidth(1, 600));
    SetScrollPos(window_, SB_HORZ, 10000, FALSE);
    const Picture scrolled(window_);
    EXPECT_EQ(Hex(scrolled.At(scrolled.Width() - 1, y)), Hex(GetSysColor(COLOR_HIGHLIGHT)));
}

TEST_F(FilledListTest, RowImageIsCentredWhenTheTextIsEmpty) {
    window_ = AttachList(list_);
    AddColumns(list_, 120, 200);
    AddRow(list_, rows_, u"Passed", u"With word");
    AddRow(list_, rows_, u"", u"Without word");
    const Picture picture(window_);

    // A pixel of the tick: image column 4, row 7.
    for (int32_t row : {0, 1}) {
        SCOPED_TRACE(row);
        RECT rect{};
        ASSERT_TRUE(list_.GetItemRect(row, 0, rect));
        const ListRect cell{rect.left, rect.top, rect.right - 1, rect.bottom};
        const ListRect text = CellTextRect(cell, 0, kSessionMetrics);
        const ImagePlacement place = PlaceRowImage(text, cell, row == 1, kSessionMetrics);
        EXPECT_EQ(Hex(picture.At(place.x + 4, place.y + 7)), Hex(kTickGreen));
        if (row == 1) {
            EXPECT_EQ(place.x, (text.left + text.right - kSessionMetrics.imageSize) / 2);
            EXPECT_EQ(Hex(picture.At(text.left + 3, place.y + 7)), Hex(GetSysColor(COLOR_WINDOW)));
        } else {
            EXPECT_EQ(place.x, text.left);
        }
    }
}

TEST_F(FilledListTest, OnePixelColumnsAreNotPaintedInTheRows) {
    Fill(1, 1);
    const Picture picture(window_);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (int y = RowHeight(list_); y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            ASSERT_EQ(Hex(picture.At(x, y)), Hex(window)) << x << "," << y;
        }
    }
}

// A row's text drawn by DrawTextW into a bitmap of the list's size, for
// comparing the list's picture with.
class TextReference {
  public:
    TextReference(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        dc_.reset(CreateCompatibleDC(nullptr));
        bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        pixels_ = static_cast<const uint32_t*>(bits);
        width_ = width;
        font_ = CreateMessageFont();
    }

    // Whether the list's picture shows exactly this text in the rectangle.
    bool Matches(const Picture& picture, const wchar_t* text, RECT area, UINT format) {
        SelectedObject bitmap(dc_.get(), bitmap_.get());
        SelectedObject font(dc_.get(), font_.get());
        RECT all{0, 0, width_, picture.Height()};
        SetBkColor(dc_.get(), GetSysColor(COLOR_WINDOW));
        ExtTextOutW(dc_.get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        SetTextColor(dc_.get(), GetSysColor(COLOR_WINDOWTEXT));
        SetBkMode(dc_.get(), TRANSPARENT);
        DrawTextW(dc_.get(), text, -1, &area, format);
        GdiFlush();
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right + 4; ++x) {
                const uint32_t p = pixels_[y * width_ + x];
                if (RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) != picture.At(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }

  private:
    UniqueCreatedDc dc_;
    UniqueBitmap bitmap_;
    UniqueFont font_;
    const uint32_t* pixels_ = nullptr;
    int width_ = 0;
};

TEST_F(FilledListTest, ClippedTextEndsInAnEllipsisAndPrefixesShowLiterally) {
    window_ = AttachList(list_);
    AddColumns(list_, 60, 70);
    AddRow(list_, rows_, u"R&D", u"Graphics card and driver version", kNoRowImage);
    const Picture picture(window_);

    // Each text centred in the whole height of its row, descenders and all.
    RECT rect{};
    ASSERT_TRUE(list_.GetItemRect(0, 1, rect));
    const ListRect text =
        CellTextRect({rect.left, rect.top, rect.right - 1, rect.bottom}, 1, kSessionMetrics);
    const RECT textRect{text.left, rect.top, text.right, rect.bottom};
    constexpr UINT kBase = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    TextReference reference(picture.Width(), picture.Height());
    EXPECT_TRUE(reference.Matches(picture, L"Graphics card and driver version", textRect,
                                  kBase | DT_END_ELLIPSIS));
    EXPECT_FALSE(reference.Matches(picture, L"Graphics card and driver version", textRect, kBase));

    ASSERT_TRUE(list_.GetItemRect(0, 0, rect));
    const ListRect status =
        CellTextRect({rect.left, rect.top, rect.right - 1, rect.bottom}, 0, kSessionMetrics);
    const RECT statusRect{status.left, rect.top, status.right, rect.bottom};
    EXPECT_TRUE(reference.Matches(picture, L"R&D", statusRect, kBase | DT_END_ELLIPSIS));
    EXPECT_FALSE(reference.Matches(picture, L"R&D", statusRect,
                                   DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS));
}

TEST_F(FilledListTest, SortArrowOnlyAfterTheFirstSort) {
    Fill();
    const int32_t header = RowHeight(list_);
    const RECT column0{0, 0, 120, header};
    const RECT column1{120, 0, 320, header};
    EXPECT_FALSE(Picture(window_).Contains(column0, kArrowGrey));
    EXPECT_FALSE(Picture(window_).Contains(column1, kArrowGrey));

    // Ascending: the down-pointing triangle, wide end on top, at the cell's
    // right; descending after a second click, wide end at the bottom.
    const RECT arrow{120 - 16, 0, 120, header};
    const auto widthOfRow = [&](const Picture& picture, int y) {
        int width = 0;
        for (int x = arrow.left; x < arrow.right; ++x) {
            width += picture.At(x, y) == kArrowGrey ? 1 : 0;
        }
        return width;
    };
    const auto wideEndOnTop = [&](const Picture& picture) {
        std::vector<int> widths;
        for (int y = arrow.top; y < arrow.bottom; ++y) {
            if (const int width = widthOfRow(picture, y); width > 0) {
                widths.push_back(width);
            }
        }
        return !widths.empty() && widths.front() > widths.back();
    };
    list_.SortColumn(0);
    const Picture sorted(window_);
    EXPECT_TRUE(sorted.Contains(arrow, kArrowGrey));
    EXPECT_TRUE(wideEndOnTop(sorted));
    EXPECT_FALSE(sorted.Contains(column1, kArrowGrey));
    list_.SortColumn(0);
    const Picture reversed(window_);
    EXPECT_TRUE(reversed.Contains(arrow, kArrowGrey));
    EXPECT_FALSE(wideEndOnTop(reversed));
}

TEST_F(ListTest, ProgressBarRunsFromLightToDarkGreen) {
    TextRowStore rows;
    UserList list(rows);
    HWND window = list.Create(parent_.get(), kListId, RECT{0, 0, 300, 100});
    ASSERT_NE(window, nullptr);
    ListColumn progress;
    progress.title = u"Done";
    progress.width = 120;
    progress.format = FormatProgress;
    list.AddColumn(progress);
    rows.Add(TextRow({u"50"}));
    list.RowsAdded();

    RECT rect{};
    ASSERT_TRUE(list.GetItemRect(0, 0, rect));
    const ProgressLayout layout =
        LayoutProgress({rect.left, rect.top, rect.right - 1, rect.bottom}, 50, kSessionMetrics);
    const Picture picture(window);
    const int y = (layout.fill.top + layout.fill.bottom) / 2;
    EXPECT_EQ(Hex(picture.At(layout.fill.left, y)), Hex(RGB(170, 240, 170)));
    EXPECT_EQ(Hex(picture.At(layout.fill.right - 1, y)), Hex(RGB(45, 210, 50)));
    EXPECT_EQ(Hex(picture.At(layout.fill.right + 1, y)), Hex(GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(Hex(picture.At(layout.outer.left + layout.outer.Width() / 2, layout.outer.top)),
              Hex(GetSysColor(COLOR_BTNSHADOW)));
}

TEST_F(ListTest, SettingsChangeKeepsTheListDrawing) {
    TextRowStore rows;
    UserList list(rows);
    HWND window = AttachList(list);
    AddColumns(list, 100, 100);
    const int32_t before = RowHeight(list);
    for (UINT message : {WM_SYSCOLORCHANGE, WM_SETTINGCHANGE, WM_FONTCHANGE}) {
        EXPECT_EQ(SendMessageW(window, message, 0, 0), 0);
    }
    EXPECT_EQ(RowHeight(list), before);
    EXPECT_EQ(Hex(Picture(window).At(0, 0)), Hex(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

}  // namespace
