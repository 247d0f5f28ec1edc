// The list under the mouse and the keyboard, driven with real input messages:
// selection, focus and notifications after clicks, drags, keys and scrolls,
// compared with tables.
#include "systest/ui/userlist/tests/wine/list_fixture.h"

#include "systest/ui/userlist/list_keys.h"
#include "systest/ui/userlist/list_scrolling.h"
#include "systest/ui/userlist/win/user_list_notify.h"
#include "systest/ui/userlist/win/user_list_timers.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kPressedHeader = RGB(130, 140, 180);
constexpr COLORREF kLinkBlue = RGB(0, 0, 200);

// A list of the results' kind with columns of 120 and 200 pixels in a 400 x
// 200 window and `rows` rows named "Row A", "Row B" and so on.
class ClickTest : public ListTest {
  protected:
    void Fill(int rows = 8, int width = 400, int height = 200) {
        window_ = AttachList(list_, width, height);
        AddColumns(list_, 120, 200);
        for (int i = 0; i < rows; ++i) {
            const std::u16string number(1, static_cast<char16_t>(u'A' + i % 26));
            AddRow(list_, rows_, i % 2 ? u"Odd" : u"Even", u"Row " + number);
        }
        rowHeight_ = RowHeight(list_);
        notices.clear();
    }

    POINT Cell(int32_t row, int32_t column) const { return CellCentre(list_, row, column); }

    std::set<int32_t> Selected() const {
        std::set<int32_t> rows;
        for (int32_t row = 0; row < rows_.ItemCount(); ++row) {
            if (list_.IsSelected(row)) {
                rows.insert(row);
            }
        }
        return rows;
    }

    int32_t FocusRow() const {
        int32_t row = -1;
        int32_t column = -1;
        list_.GetFocusItem(row, column);
        return row;
    }

    std::vector<std::u16string> Texts() const {
        std::vector<std::u16string> texts;
        for (int32_t row = 0; row < rows_.ItemCount(); ++row) {
            texts.push_back(rows_.ItemText(row, 1));
        }
        return texts;
    }

    // The rows below the header that fit wholly, or in part too.
    int32_t VisibleRows(bool partial) const {
        RECT client{};
        GetClientRect(window_, &client);
        const int32_t height = client.bottom - rowHeight_;
        return height / rowHeight_ + (partial && height % rowHeight_ > 0 ? 1 : 0);
    }

    TextRowStore rows_;
    UserList list_{rows_};
    HWND window_ = nullptr;
    int32_t rowHeight_ = 0;
};

TEST_F(ClickTest, ClicksSelectAndNotify) {
    Fill();
    enum Action { Press, Release, ClickIt, RightClick };
    const struct {
        Action action;
        int32_t row;  // -1: right of the columns on row 1
        int32_t column;
        WPARAM keys;
        std::set<int32_t> selected;
        int32_t focus;
        std::vector<Notice> expected;
    } steps[] = {
        {ClickIt, 1, 1, 0, {1}, 1, {{ULN_SELECTED, 1, 1}, {ULN_LEFTCLICK, 1, 1}}},
        // Shift extends from the anchor; several rows have no focused column.
        {ClickIt, 3, 1, MK_SHIFT, {1, 2, 3}, 3, {{ULN_SELECTED, 3, 0}, {ULN_LEFTCLICK, 3, 1}}},
        {ClickIt, 5, 0, MK_CONTROL, {1, 2, 3, 5}, 5, {{ULN_SELECTED, 5, 0}, {ULN_LEFTCLICK, 5, 0}}},
        // Ctrl on a selected row takes it out, without ULN_SELECTED.
        {ClickIt, 2, 1, MK_CONTROL, {1, 3, 5}, 1, {{ULN_LEFTCLICK, 2, 1}}},
        // A plain press on a row of the selection keeps it until the release.
        {Press, 3, 1, 0, {1, 3, 5}, 1, {}},
        {Release, 3, 1, 0, {3}, 3, {{ULN_SELECTED, 3, 1}, {ULN_LEFTCLICK, 3, 1}}},
        // Right of the columns: no hit; the column arrives as sub-item 0.
        {ClickIt, -1, 0, 0, {3}, 3, {{ULN_LEFTCLICK, 1, 0}}},
        // ... and the anchor is gone: Shift starts a new range at its row.
        {ClickIt, 6, 1, MK_SHIFT, {6}, 6, {{ULN_SELECTED, 6, 1}, {ULN_LEFTCLICK, 6, 1}}},
        // The right button selects a row that is not selected.
        {RightClick, 4, 1, 0, {4}, 4, {{ULN_SELECTED, 4, 1}, {ULN_RIGHTCLICK, 4, 1}}},
        // A right click on empty space clears the selection and still tells.
        {RightClick, -1, 0, 0, {}, -1, {{ULN_RIGHTCLICK, 1, 0}}},
    };
    int index = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "step " << index++);
        notices.clear();
        POINT point = step.row >= 0 ? Cell(step.row, step.column) : POINT{360, Cell(1, 0).y};
        switch (step.action) {
            case Press:
                SendMouse(window_, WM_LBUTTONDOWN, point.x, point.y, step.keys | MK_LBUTTON);
                break;
            case Release:
                SendMouse(window_, WM_LBUTTONUP, point.x, point.y, step.keys);
                break;
            case ClickIt:
                Click(window_, point.x, point.y, step.keys);
                break;
            case RightClick:
                SendMouse(window_, WM_RBUTTONDOWN, point.x, point.y, step.keys | MK_RBUTTON);
                SendMouse(window_, WM_RBUTTONUP, point.x, point.y, step.keys);
                break;
        }
        EXPECT_EQ(Selected(), step.selected);
        EXPECT_EQ(FocusRow(), step.focus);
        EXPECT_EQ(notices, step.expected);
    }
    EXPECT_EQ(GetFocus(), window_);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ClickTest, ClickInTheHeaderAndBelowTheRows) {
    Fill(3);
    Click(window_, 60, rowHeight_ - 2);  // header: sorts, no row
    Click(window_, 60, rowHeight_ * 6);  // below the last row
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_LEFTCLICK, -1, 0}, {ULN_LEFTCLICK, 5, 0}}));
}

TEST_F(ClickTest, RubberBandSelectsTheRowsUnderIt) {
    Fill();
    // From the empty space right of the columns, up and left over rows 1 to 4.
    const POINT start{360, Cell(4, 0).y};
    const POINT end = Cell(1, 1);
    SendMouse(window_, WM_LBUTTONDOWN, start.x, start.y, MK_LBUTTON);
    SendMouse(window_, WM_MOUSEMOVE, start.x - 2, start.y, MK_LBUTTON);
    EXPECT_TRUE(Selected().empty());  // not yet a drag
    SendMouse(window_, WM_MOUSEMOVE, end.x, end.y, MK_LBUTTON);
    EXPECT_EQ(Selected(), (std::set<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(FocusRow(), 4);
    SendMouse(window_, WM_MOUSEMOVE, end.x, Cell(3, 1).y, MK_LBUTTON);
    EXPECT_EQ(Selected(), (std::set<int32_t>{3, 4}));
    // The band shows in the focus-cell colour.
    EXPECT_TRUE(Picture(window_).Contains(RECT{end.x, Cell(3, 1).y, 350, Cell(4, 1).y},
                                          RGB(180, 190, 210)));
    SendMouse(window_, WM_LBUTTONUP, end.x, Cell(3, 1).y);
    EXPECT_EQ(Selected(), (std::set<int32_t>{3, 4}));
    EXPECT_TRUE(notices.empty());  // a band sends nothing, not even the click
    EXPECT_EQ(GetCapture(), nullptr);
    // The band starts at the first row: Shift extends from row 3.
    Click(window_, Cell(6, 1).x, Cell(6, 1).y, MK_SHIFT);
    EXPECT_EQ(Selected(), (std::set<int32_t>{3, 4, 5, 6}));
}

TEST_F(ClickTest, RubberBandScrollsWhileTheMouseIsBelowTheRows) {
    Fill(40);
    const POINT start = Cell(2, 0);
    SendMouse(window_, WM_LBUTTONDOWN, start.x, start.y, MK_LBUTTON);
    SendMouse(window_, WM_MOUSEMOVE, start.x + 10, 250, MK_LBUTTON);  // below the window
    const int32_t first = GetScrollPos(window_, SB_VERT);
    EXPECT_EQ(first, rowHeight_);  // one line
    // The timer goes on scrolling while the mouse stays there (its ticks, sent
    // here, each wait out the band's 10 ms pause).
    Sleep(15);
    SendMessageW(window_, WM_TIMER, kRubberBandTimer, 0);
    EXPECT_EQ(GetScrollPos(window_, SB_VERT), 2 * rowHeight_);
    EXPECT_TRUE(list_.IsSelected(2));
    EXPECT_TRUE(list_.IsSelected(9));

    // Losing the capture ends the band: its timer no longer selects.
    SendMessageW(window_, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    const std::set<int32_t> selected = Selected();
    Sleep(15);
    SendMessageW(window_, WM_TIMER, kRubberBandTimer, 0);
    EXPECT_EQ(GetScrollPos(window_, SB_VERT), 2 * rowHeight_);
    EXPECT_EQ(Selected(), selected);
    SendMouse(window_, WM_MOUSEMOVE, start.x, Cell(3, 0).y, 0);
    EXPECT_EQ(Selected(), selected);
}

TEST_F(ClickTest, SingleSelectDragsNoBand) {
    Fill();
    ListOptions options = list_.Options();
    options.singleSelect = true;
    list_.SetOptions(options);
    const POINT start = Cell(1, 1);
    SendMouse(window_, WM_LBUTTONDOWN, start.x, start.y, MK_LBUTTON);
    SendMouse(window_, WM_MOUSEMOVE, start.x, Cell(4, 1).y, MK_LBUTTON);
    SendMouse(window_, WM_LBUTTONUP, start.x, Cell(4, 1).y);
    EXPECT_EQ(Selected(), (std::set<int32_t>{1}));
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_SELECTED, 1, 1}, {ULN_LEFTCLICK, 4, 1}}));
}

TEST_F(ClickTest, HeaderClickSortsOnReleaseEvenOffTheHeader) {
    Fill(4);  // status words Even, Odd, Even, Odd
    list_.SelectItem(2, 0, 0);
    notices.clear();
    const int y = rowHeight_ / 2;
    SendMouse(window_, WM_LBUTTONDOWN, 60, y, MK_LBUTTON);
    // Nothing sorted yet.
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Row A", u"Row B", u"Row C", u"Row D"}));
    EXPECT_TRUE(Picture(window_).Contains(RECT{2, 2, 110, y}, kPressedHeader));
    // Dragged off the header and down over the rows: still no band.
    SendMouse(window_, WM_MOUSEMOVE, 64, y, MK_LBUTTON);
    SendMouse(window_, WM_MOUSEMOVE, 60, Cell(3, 0).y, MK_LBUTTON);
    EXPECT_EQ(Selected(), (std::set<int32_t>{2}));
    SendMouse(window_, WM_LBUTTONUP, 60, Cell(3, 0).y);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Row A", u"Row C", u"Row B", u"Row D"}));
    EXPECT_TRUE(Selected().empty());  // sorting clears the selection
    EXPECT_FALSE(Picture(window_).Contains(RECT{2, 2, 110, y}, kPressedHeader));
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_LEFTCLICK, 3, 0}}));
    // Again: the order turns around, equal words too.
    Click(window_, 60, y);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Row D", u"Row B", u"Row C", u"Row A"}));
}

TEST_F(ClickTest, DraggingADividerResizesTheColumn) {
    Fill(4);
    const int y = rowHeight_ / 2;
    const struct {
        int x;
        int32_t width;
    } moves[] = {{150, 150}, {200, 200}, {20, 20}, {-30, 0}, {130, 130}};
    SendMouse(window_, WM_LBUTTONDOWN, 121, y, MK_LBUTTON);  // on the divider's grip
    for (const auto& move : moves) {
        SCOPED_TRACE(move.x);
        SendMouse(window_, WM_MOUSEMOVE, move.x + 1, y + 30, MK_LBUTTON);
        EXPECT_EQ(list_.GetColumnWidth(0), move.width);
    }
    SendMouse(window_, WM_LBUTTONUP, 131, y);
    EXPECT_EQ(list_.GetColumnWidth(0), 130);
    // A divider drag does not sort.
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"Row A", u"Row B", u"Row C", u"Row D"}));
    SendMouse(window_, WM_MOUSEMOVE, 160, y, 0);
    EXPECT_EQ(list_.GetColumnWidth(0), 130);
}

// Scrolled fully right, the view moves with a shrinking column, so the
// shrinking runs on the list's timer while the mouse stays left of where the
// drag began: real timer messages must reach it.
TEST_F(ClickTest, ShrinkingWhileScrolledFullyRightGoesOnByTimer) {
    Fill(4, 250, 200);
    SetScrollPos(window_, SB_HORZ, 10000, FALSE);
    // The list takes the bar as shown when it next sets it at a position
    // other than 0.
    list_.SetColumnWidth(0, 120);
    const int32_t scrollX = GetScrollPos(window_, SB_HORZ);
    ASSERT_GT(scrollX, 0);
    const int divider = 320 - scrollX;  // right edge of column 1
    const int y = rowHeight_ / 2;
    SendMouse(window_, WM_LBUTTONDOWN, divider - 1, y, MK_LBUTTON);
    SendMouse(window_, WM_MOUSEMOVE, divider - 40, y, MK_LBUTTON);
    EXPECT_EQ(list_.GetColumnWidth(1), 200);  // the timer shrinks it, not the move
    POINT cursor{divider - 50, y};
    ClientToScreen(window_, &cursor);
    SetCursorPos(cursor.x, cursor.y);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 300 && list_.GetColumnWidth(1) == 200) {
        PumpMessages();
        Sleep(5);
    }
    EXPECT_LT(list_.GetColumnWidth(1), 200);
    SendMouse(window_, WM_LBUTTONUP, divider - 50, y);
}

TEST_F(ClickTest, DoubleClickOnADividerFitsTheColumn) {
    Fill(4);
    UserList reference(rows_);  // the same rows
    AttachList(reference);
    AddColumns(reference, 120, 200);
    reference.RowsAdded();
    ASSERT_TRUE(reference.AutoSizeColumn(1));
    const int32_t fitted = reference.GetColumnWidth(1);
    ASSERT_NE(fitted, 200);

    const int y = rowHeight_ / 2;
    SendMouse(window_, WM_LBUTTONDOWN, 320, y, MK_LBUTTON);
    SendMouse(window_, WM_LBUTTONUP, 320, y);
    SendMouse(window_, WM_LBUTTONDBLCLK, 320, y, MK_LBUTTON);
    EXPECT_EQ(list_.GetColumnWidth(1), fitted);
    // A move before the release keeps the fitted width.
    SendMouse(window_, WM_MOUSEMOVE, 320, y, MK_LBUTTON);
    SendMouse(window_, WM_LBUTTONUP, 320, y);
    EXPECT_EQ(list_.GetColumnWidth(1), fitted);
    EXPECT_EQ(notices,
              (std::vector<Notice>{
                  {ULN_LEFTCLICK, -1, 0}, {ULN_DOUBLECLICK, -1, 0}, {ULN_LEFTCLICK, -1, 0}}));
}

TEST_F(ClickTest, DoubleClickOnARow) {
    Fill(4);
    const POINT point = Cell(2, 1);
    Click(window_, point.x, point.y);
    SendMouse(window_, WM_LBUTTONDBLCLK, point.x, point.y, MK_LBUTTON);
    SendMouse(window_, WM_LBUTTONUP, point.x, point.y);
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_SELECTED, 2, 1},
                                            {ULN_LEFTCLICK, 2, 1},
                                            {ULN_DOUBLECLICK, 2, 1},
                                            {ULN_LEFTCLICK, 2, 1}}));
}

// Keys.

TEST_F(ClickTest, KeysMoveTheFocusAndTheSelection) {
    Fill(20, 400, 200);
    const int32_t fullRows = VisibleRows(false);
    ASSERT_GE(fullRows, 4);
    list_.SelectItem(2, 0, 0);
    notices.clear();
    const struct {
        WPARAM key;
        bool control, shift;
        std::set<int32_t> selected;
        int32_t focus;
        std::vector<Notice> expected;
    } steps[] = {
        {VK_DOWN, false, false, {3}, 3, {{ULN_SELECTED, 3, 0}}},
        // Ctrl moves only the focus; a second Ctrl+Down starts from the
        // selection again and lands on the same row.
        {VK_DOWN, true, false, {3}, 3, {}},
        {VK_DOWN, true, false, {3}, 3, {}},
        {VK_DOWN, false, true, {3, 4}, 4, {{ULN_SELECTED, 4, 0}}},
        {VK_DOWN, false, true, {3, 4, 5}, 5, {{ULN_SELECTED, 5, 0}}},
        {VK_UP, false, false, {4}, 4, {{ULN_SELECTED, 4, 0}}},
        {VK_END, false, false, {19}, 19, {{ULN_SELECTED, 19, 0}}},
        {VK_NEXT, false, false, {19}, 19, {}},  // the last page: the last row
        {VK_HOME, false, false, {0}, 0, {{ULN_SELECTED, 0, 0}}},
        {VK_NEXT, false, false, {fullRows - 1}, fullRows - 1, {{ULN_SELECTED, fullRows - 1, 0}}},
        {VK_PRIOR, false, false, {0}, 0, {{ULN_SELECTED, 0, 0}}},
        {'A', true, false, {}, 0, {}},  // Ctrl+A: all rows, below
    };
    int index = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "step " << index++);
        notices.clear();
        PressKey(window_, step.key, step.control, step.shift);
        if (step.key != 'A') {
            EXPECT_EQ(Selected(), step.selected);
        }
        EXPECT_EQ(FocusRow(), step.focus);
        EXPECT_EQ(notices, step.expected);
    }
    EXPECT_EQ(Selected().size(), 20u);
}

TEST_F(ClickTest, KeysKeepTheFocusInView) {
    Fill(40);
    list_.SelectItem(0, 0, 0);
    PressKey(window_, VK_END);
    RECT last{};
    ASSERT_TRUE(list_.GetItemRect(39, -1, last));
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_LE(last.bottom, client.bottom);  // wholly in view
    EXPECT_GT(GetScrollPos(window_, SB_VERT), 0);
    PressKey(window_, VK_HOME);
    EXPECT_EQ(GetScrollPos(window_, SB_VERT), 0);
}

TEST_F(ClickTest, LettersSearchTheRows) {
    Fill(8);  // status words Even and Odd in turn, texts "Row A" to "Row H"
    // Before any sort the status words are searched.
    PressKey(window_, 'O');
    EXPECT_EQ(FocusRow(), 1);
    PressKey(window_, 'O');  // the same letter: the next row with it
    EXPECT_EQ(FocusRow(), 3);
    PressKey(window_, 'E');  // "OE" at once: no row begins with it
    EXPECT_EQ(FocusRow(), 3);
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_SELECTED, 1, 0}, {ULN_SELECTED, 3, 0}}));
    // After a sort, the sorted column.
    list_.SortColumn(1);
    Sleep(kTypeAheadPause);
    PressKey(window_, 'R');
    EXPECT_EQ(FocusRow(), 0);
}

TEST_F(ClickTest, ArrowsScrollSidewaysOutsideFocusCellMode) {
    Fill(4, 200, 150);
    PressKey(window_, VK_RIGHT);
    EXPECT_EQ(GetScrollPos(window_, SB_HORZ), 5);
    PressKey(window_, VK_RIGHT, true);
    EXPECT_EQ(GetScrollPos(window_, SB_HORZ), 55);
    // On to the right end, although the list is more than twice as wide as
    // its client area.
    for (int i = 0; i < 6; ++i) {
        PressKey(window_, VK_RIGHT, true);
    }
    const SCROLLINFO info = ScrollInfo(window_, SB_HORZ);
    EXPECT_EQ(info.nPos, info.nMax - static_cast<int>(info.nPage) + 1);
    PressKey(window_, VK_LEFT, true);
    EXPECT_EQ(info.nPos - 50, GetScrollPos(window_, SB_HORZ));
}

// Scrolling.

TEST_F(ClickTest, ScrollBarsAndWheelMoveTheView) {
    Fill(40, 300, 200);
    UINT wheelLines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &wheelLines, 0);
    const SCROLLINFO bar = ScrollInfo(window_, SB_VERT);
    const int32_t page = static_cast<int32_t>(bar.nPage);
    const int32_t last = bar.nMax - page + 1;
    const int32_t h = rowHeight_;
    const struct {
        UINT message;
        WPARAM wParam;
        int32_t position;
    } steps[] = {
        {WM_VSCROLL, SB_LINEDOWN, h},
        {WM_VSCROLL, SB_ENDSCROLL, h},
        {WM_VSCROLL, SB_LINEDOWN, 2 * h},
        {WM_VSCROLL, SB_LINEUP, h},
        {WM_VSCROLL, SB_PAGEDOWN, h + page},
        {WM_VSCROLL, SB_PAGEUP, h},
        {WM_VSCROLL, SB_PAGEUP, 0},
        {WM_VSCROLL, SB_BOTTOM, last},
        {WM_VSCROLL, SB_TOP, 0},
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 77), 77},
        {WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
         static_cast<int32_t>(wheelLines) * h},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0},  // up at the top stays there
    };
    int index = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "step " << index++);
        SendMessageW(window_, step.message, step.wParam, 0);
        EXPECT_EQ(GetScrollPos(window_, SB_VERT), step.position);
    }
}

TEST_F(ClickTest, HorizontalScrolling) {
    Fill(4, 150, 150);
    const SCROLLINFO bar = ScrollInfo(window_, SB_HORZ);
    const int32_t last = bar.nMax - static_cast<int32_t>(bar.nPage) + 1;
    RECT client{};
    GetClientRect(window_, &client);
    const struct {
        WPARAM code;
        int32_t position;
    } steps[] = {
        {SB_LINERIGHT, 5},
        {SB_LINERIGHT, 10},
        {SB_LINELEFT, 5},
        {SB_LINELEFT, 0},
        {SB_PAGERIGHT, client.right},
        {SB_PAGELEFT, 0},
        // The right end, also on a list more than twice as wide as its window.
        {SB_RIGHT, last},
        {SB_LEFT, 0},
        {MAKEWPARAM(SB_THUMBTRACK, 33), 33},
    };
    ASSERT_GT(last, 2 * client.right - client.right);
    for (const auto& step : steps) {
        SCOPED_TRACE(LOWORD(step.code));
        SendMessageW(window_, WM_HSCROLL, step.code, 0);
        EXPECT_EQ(GetScrollPos(window_, SB_HORZ), step.position);
    }
}

TEST_F(ClickTest, PageDownOnAShortListMovesNothing) {
    Fill(3);
    SendMessageW(window_, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(GetScrollPos(window_, SB_VERT), 0);
}

TEST_F(ClickTest, LineScrollSlidesInFramesThenStops) {
    Fill(40, 300, 200);
    // The slide's timer ticks are sent here one by one. While it runs the
    // timer exists (KillTimer finds it); after the last frame the list has
    // killed it itself.
    SendMessageW(window_, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetScrollPos(window_, SB_VERT), rowHeight_);  // the position moves at once
    ScrollAnimation model;
    ASSERT_TRUE(model.Start(0, 1, rowHeight_, VisibleRows(true)));
    int frames = 0;
    while (model.Advance()) {
        ++frames;
    }
    for (int i = 0; i < frames; ++i) {
        SendMessageW(window_, WM_TIMER, kScrollAnimationTimer, 0);
    }
    // The last frame is shown; the next tick would end the slide.
    EXPECT_TRUE(KillTimer(window_, kScrollAnimationTimer));

    SendMessageW(window_, WM_VSCROLL, SB_ENDSCROLL, 0);
    SendMessageW(window_, WM_VSCROLL, SB_LINEDOWN, 0);
    for (int i = 0; i <= frames; ++i) {
        SendMessageW(window_, WM_TIMER, kScrollAnimationTimer, 0);
    }
    EXPECT_FALSE(KillTimer(window_, kScrollAnimationTimer));
    EXPECT_EQ(GetScrollPos(window_, SB_VERT), 2 * rowHeight_);
}

// The formats that react to the mouse, in a list that keeps its values.

class FormatClickTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        window_ = list_.Create(parent_.get(), kListId, RECT{10, 10, 410, 160});
        ASSERT_NE(window_, nullptr);
        const struct {
            int32_t format;
            uint32_t flags;
        } columns[] = {{FormatText, 0},
                       {FormatCheck, 0},
                       {FormatTriState, 0},
                       {FormatLink, 0},
                       {FormatCheck, ReadOnly}};
        for (const auto& c : columns) {
            ListColumn column;
            column.title = u"Column";
            column.width = 80;
            column.format = c.format;
            column.flags = c.flags;
            list_.AddColumn(column);
        }
        rows_.Add(TextRow({u"Bolt", u"0", u"0", u"DWG-1", u"1"}, kNoRowImage, u"Bolt M8"));
        rows_.Add(TextRow({u"Nut", u"1", u"-1", u"DWG-2", u"0"}));
        list_.RowsAdded();
        notices.clear();
    }

    POINT Cell(int32_t row, int32_t column) const { return CellCentre(list_, row, column); }

    TextRowStore rows_;
    UserList list_{rows_};
    HWND window_ = nullptr;
};

TEST_F(FormatClickTest, CheckCellsToggleAndLinksNotify) {
    const struct {
        int32_t row, column;
        std::u16string value;  // the cell's text afterwards
        std::vector<Notice> expected;
    } clicks[] = {
        {0, 1, u"1", {{ULN_SELECTED, 0, 1}, {ULN_MODIFIED, 0, 1}, {ULN_LEFTCLICK, 0, 1}}},
        {0, 1, u"0", {{ULN_MODIFIED, 0, 1}, {ULN_LEFTCLICK, 0, 1}}},
        {1, 2, u"0", {{ULN_SELECTED, 1, 2}, {ULN_MODIFIED, 1, 2}, {ULN_LEFTCLICK, 1, 2}}},
        {1, 2, u"1", {{ULN_MODIFIED, 1, 2}, {ULN_LEFTCLICK, 1, 2}}},
        {1, 2, u"-1", {{ULN_MODIFIED, 1, 2}, {ULN_LEFTCLICK, 1, 2}}},
        {1, 3, u"DWG-2", {{ULN_LINKCLICK, 1, 3}, {ULN_LEFTCLICK, 1, 3}}},
        {0, 4, u"1", {{ULN_SELECTED, 0, 4}, {ULN_LEFTCLICK, 0, 4}}},  // read-only
    };
    int index = 0;
    for (const auto& click : clicks) {
        SCOPED_TRACE(testing::Message() << "click " << index++);
        notices.clear();
        const POINT point = Cell(click.row, click.column);
        Click(window_, point.x, point.y);
        EXPECT_EQ(rows_.ItemText(click.row, click.column), click.value);
        EXPECT_EQ(notices, click.expected);
    }
}

TEST_F(FormatClickTest, SpaceTogglesTheFocusedCheckCell) {
    ListOptions options = list_.Options();
    options.focusCell = true;
    list_.SetOptions(options);
    list_.SelectItem(1, 1, 0);
    notices.clear();
    PressKey(window_, VK_SPACE);
    EXPECT_EQ(rows_.ItemText(1, 1), u"0");
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_MODIFIED, 1, 1}}));
    PressKey(window_, VK_RIGHT);  // on to the three-state cell
    notices.clear();
    PressKey(window_, VK_SPACE);
    EXPECT_EQ(rows_.ItemText(1, 2), u"0");
    PressKey(window_, VK_RIGHT);  // the link: Space does nothing
    PressKey(window_, VK_RIGHT);
    notices.clear();
    PressKey(window_, VK_SPACE);  // read-only check cell
    EXPECT_EQ(rows_.ItemText(1, 4), u"0");
    EXPECT_TRUE(notices.empty());
}

TEST_F(FormatClickTest, LinkShowsUnderTheMouseUntilItLeaves) {
    const POINT link = Cell(0, 3);
    RECT cell{};
    list_.GetItemRect(0, 3, cell);
    EXPECT_FALSE(Picture(window_).Contains(cell, kLinkBlue));
    SendMouse(window_, WM_MOUSEMOVE, link.x, link.y);
    EXPECT_TRUE(Picture(window_).Contains(cell, kLinkBlue));
    SendMessageW(window_, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(Picture(window_).Contains(cell, kLinkBlue));
}

TEST_F(FormatClickTest, ItemToolTipOverRowsThatHaveOne) {
    const HWND toolTip = FindThreadWindow(TOOLTIPS_CLASSW);
    ASSERT_NE(toolTip, nullptr);
    const POINT withTip = Cell(0, 0);
    SendMouse(window_, WM_MOUSEMOVE, withTip.x, withTip.y);
    ASSERT_EQ(SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t text[64] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window_;
    tool.uId = 1000;
    tool.lpszText = text;
    SendMessageW(toolTip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"Bolt M8");
    const POINT without = Cell(1, 0);
    SendMouse(window_, WM_MOUSEMOVE, without.x, without.y);
    EXPECT_EQ(SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

// Messages of child windows come back to the child, 0x2000 higher.

std::vector<UINT> childMessages;

LRESULT CALLBACK ChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= kReflectedMessageOffset) {
        childMessages.push_back(message);
        return 42;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(FormatClickTest, ChildMessagesAreReflected) {
    WNDCLASSEXW childClass{};
    childClass.cbSize = sizeof childClass;
    childClass.lpfnWndProc = ChildProcedure;
    childClass.hInstance = GetModuleHandleW(nullptr);
    childClass.lpszClassName = L"ReflectionChild";
    RegisterClassExW(&childClass);
    childMessages.clear();
    constexpr int kChildId = 77;
    HWND child = CreateWindowExW(0, L"ReflectionChild", nullptr, WS_CHILD, 0, 0, 10, 10, window_,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kChildId)),
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(child, nullptr);
    // Its creation was told to the list, and came back.
    EXPECT_EQ(childMessages, (std::vector<UINT>{WM_PARENTNOTIFY + kReflectedMessageOffset}));
    childMessages.clear();

    NMHDR header{child, kChildId, NM_CLICK};
    EXPECT_EQ(SendMessageW(window_, WM_NOTIFY, kChildId, reinterpret_cast<LPARAM>(&header)), 42);
    EXPECT_EQ(SendMessageW(window_, WM_COMMAND, MAKEWPARAM(kChildId, BN_CLICKED),
                           reinterpret_cast<LPARAM>(child)),
              42);
    EXPECT_EQ(SendMessageW(window_, WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(child)), 42);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.hwndItem = child;
    EXPECT_EQ(SendMessageW(window_, WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&draw)), 42);
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = kChildId;
    EXPECT_EQ(SendMessageW(window_, WM_MEASUREITEM, kChildId, reinterpret_cast<LPARAM>(&measure)),
              42);
    EXPECT_EQ(childMessages, (std::vector<UINT>{0x204E, 0x2111, 0x2135, 0x202B, 0x202C}));

    // A menu command or a window that is not a child: not reflected.
    childMessages.clear();
    EXPECT_EQ(SendMessageW(window_, WM_COMMAND, 5, 0), 0);
    NMHDR stranger{parent_.get(), 1, NM_CLICK};
    EXPECT_EQ(SendMessageW(window_, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&stranger)), 0);
    EXPECT_TRUE(childMessages.empty());
    DestroyWindow(child);
    EXPECT_EQ(childMessages, (std::vector<UINT>{WM_PARENTNOTIFY + kReflectedMessageOffset}));
}

}  // namespace
