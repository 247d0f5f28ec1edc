// The in-place editors and the title tip, driven as a user drives them:
// clicks open an editor, characters go to it, Enter, Tab and Escape end it;
// the mouse resting on a clipped text shows the title tip.
#include "systest/ui/userlist/tests/wine/list_fixture.h"

#include "common/win/window_text.h"
#include "systest/ui/userlist/win/cell_editor.h"
#include "systest/ui/userlist/win/title_tip.h"
#include "systest/ui/userlist/win/user_list_notify.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum : int32_t { kTextColumn, kEditColumn, kNumberColumn, kDateColumn, kTimeColumn, kStartColumn };

class EditorTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        window_ = list_.Create(parent_.get(), kListId, RECT{10, 10, 590, 210});
        ASSERT_NE(window_, nullptr);
        const struct {
            const char16_t* title;
            int32_t format;
            uint32_t flags;
        } columns[] = {
            {u"Name", FormatText, 0},
            {u"Comment", FormatEdit, 0},
            {u"Quantity", FormatEdit, Integer | AllowNegative | AllowCompare},
            {u"Due", FormatDate, DateOnly | DateAllowNone},
            {u"Time", FormatDate, TimeOnly},
            {u"Start", FormatDate, 0},  // date and time, no empty value offered
        };
        for (const auto& c : columns) {
            ListColumn column;
            column.title = c.title;
            column.width = 95;
            column.format = c.format;
            column.flags = c.flags;
            list_.AddColumn(column);
        }
        for (int i = 0; i < 5; ++i) {
            rows_.Add(TextRow({u"Part", u"note", u"12", u"20120315000000", u"00000000093000",
                               u"20120315080000"}));
        }
        list_.RowsAdded();
        notices.clear();
    }

    POINT Centre(int32_t row, int32_t column) const { return CellCentre(list_, row, column); }

    void ClickCell(int32_t row, int32_t column) {
        const POINT point = Centre(row, column);
        Click(window_, point.x, point.y);
    }

    // The list's open editor of a window class, or null.
    HWND Editor(const wchar_t* className) const {
        HWND editor = FindWindowExW(window_, nullptr, className, nullptr);
        return editor != nullptr && IsWindowVisible(editor) ? editor : nullptr;
    }

    void Type(HWND window, const std::wstring& characters) {
        for (wchar_t c : characters) {
            SendMessageW(window, WM_CHAR, c, 0);
        }
    }

    std::u16string Cell(int32_t row, int32_t column) const { return rows_.ItemText(row, column); }

    TextRowStore rows_;
    UserList list_{rows_};
    HWND window_ = nullptr;
};

TEST_F(EditorTest, ClickOnAnEditCellOpensTheEditBox) {
    ClickCell(1, kEditColumn);
    HWND edit = Editor(L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(WindowText(edit), L"note");
    DWORD start = 1;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);  // all of it selected
    EXPECT_EQ(end, 4u);
    // Inside the cell.
    RECT cell{};
    ASSERT_TRUE(list_.GetItemRect(1, kEditColumn, cell));
    RECT box{};
    GetWindowRect(edit, &box);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&box), 2);
    EXPECT_EQ(box.left, cell.left + 2);
    EXPECT_EQ(box.top, cell.top + 3);
    EXPECT_EQ(box.right, cell.right - 3);
    EXPECT_EQ(box.bottom, cell.bottom - 2);
    EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_SELECTED, 1, kEditColumn},
                                            {ULN_LEFTCLICK, 1, kEditColumn}}));

    // A text cell opens nothing.
    ClickCell(2, kTextColumn);
    EXPECT_EQ(Editor(L"Edit"), nullptr);
    EXPECT_EQ(GetFocus(), window_);
}

TEST_F(EditorTest, EnterCommitsAndEscapeDrops) {
    const struct {
        wchar_t key;
        bool modified;
    } endings[] = {{VK_RETURN, true}, {VK_ESCAPE, false}};
    for (const auto& ending : endings) {
        SCOPED_TRACE(static_cast<int>(ending.key));
        ClickCell(1, kEditColumn);
        HWND edit = Editor(L"Edit");
        ASSERT_NE(edit, nullptr);
        notices.clear();
        Type(edit, L"bolt");
        Type(edit, std::wstring(1, ending.key));
        EXPECT_EQ(Editor(L"Edit"), nullptr);  // hidden
        EXPECT_EQ(GetFocus(), window_);
        if (ending.modified) {
            EXPECT_EQ(notices, (std::vector<Notice>{{ULN_MODIFIED, 1, kEditColumn}}));
            EXPECT_EQ(Cell(1, kEditColumn), u"bolt");
        } else {
            EXPECT_TRUE(notices.empty());
        }
    }
    EXPECT_EQ(Cell(1, kEditColumn), u"bolt");  // Escape left it alone
}

// Leaving an editor without a change keeps the cell: an empty date cell whose
// picker offers no empty value shows today, which must not become its value.
TEST_F(EditorTest, LeavingAnEditorUnchangedKeepsTheCellAndTellsNothing) {
    const int32_t emptyRow = rows_.Add(TextRow({u"Empty", u"", u"", u"", u"", u""}));
    list_.RowsAdded();
    for (const int32_t row : {0, emptyRow}) {
        for (const int32_t column :
             {kEditColumn, kNumberColumn, kDateColumn, kTimeColumn, kStartColumn}) {
            for (const bool enter : {true, false}) {
                SCOPED_TRACE(testing::Message() << "row " << row << " column " << column
                                                << (enter ? " Enter" : " focus lost"));
                const std::u16string before = Cell(row, column);
                ClickCell(row, column);
                HWND editor = GetFocus();
                ASSERT_TRUE(IsChild(window_, editor));
                notices.clear();
                if (enter) {
                    SendMessageW(editor, WM_CHAR, VK_RETURN, 0);
                } else {
                    SetFocus(window_);
                }
                EXPECT_FALSE(IsWindowVisible(editor));
                EXPECT_EQ(Cell(row, column), before);
                EXPECT_TRUE(notices.empty());
            }
        }
    }
}

TEST_F(EditorTest, TabCommitsAndMovesOnInFocusCellMode) {
    ListOptions options = list_.Options();
    options.focusCell = true;
    list_.SetOptions(options);
    ClickCell(2, kEditColumn);
    HWND edit = Editor(L"Edit");
    ASSERT_NE(edit, nullptr);
    notices.clear();
    Type(edit, L"nut\t");
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_MODIFIED, 2, kEditColumn}}));
    EXPECT_EQ(Cell(2, kEditColumn), u"nut");
    notices.clear();
    PumpMessages();  // the Tab key the list posted to itself
    int32_t row = -1;
    int32_t column = -1;
    ASSERT_TRUE(list_.GetFocusItem(row, column));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(column, kNumberColumn);
    // The next cell is edited at once.
    edit = Editor(L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WindowText(edit), L"12");
    RECT box{};
    GetWindowRect(edit, &box);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&box), 2);
    RECT cell{};
    ASSERT_TRUE(list_.GetItemRect(2, kNumberColumn, cell));
    EXPECT_EQ(box.left, cell.left + 2);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWL_STYLE) & ES_RIGHT, ES_RIGHT);  // numbers align right
}

TEST_F(EditorTest, NumberCellFiltersWhatIsTyped) {
    ClickCell(0, kNumberColumn);
    HWND edit = Editor(L"Edit");
    ASSERT_NE(edit, nullptr);
    const struct {
        int caret;  // where the caret is put first, -1 to leave it
        wchar_t c;
        const wchar_t* text;
        int caretAfter;
    } steps[] = {
        {2, L'-', L"-12", 3},  // the sign changes; the caret stays behind the 2
        {-1, L'-', L"12", 2},    {2, L'a', L"12", 2},  // rejected
        {2, L'.', L"12", 2},                           // no decimals in an integer column
        {0, L'<', L"<12", 1},    {-1, L'=', L"<=12", 2},
        {4, L'>', L"<=12", 4},                            // no sign after the number
        {4, L'5', L"<=125", 5},  {0, L'=', L"<=125", 0},  // a second "="
        {5, L'-', L"<=-125", 6},                          // the signs in front stay
        {6, L'\b', L"<=-12", 5},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "'" << static_cast<char>(step.c) << "'");
        if (step.caret >= 0) {
            SendMessageW(edit, EM_SETSEL, step.caret, step.caret);
        }
        SendMessageW(edit, WM_CHAR, step.c, 0);
        EXPECT_EQ(WindowText(edit), step.text);
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(static_cast<int>(start), step.caretAfter);
        EXPECT_EQ(static_cast<int>(end), step.caretAfter);
    }
    SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(Cell(0, kNumberColumn), u"<=-12");
}

TEST_F(EditorTest, DatePickerCommitsTheChosenDate) {
    ClickCell(3, kDateColumn);
    HWND picker = Editor(DATETIMEPICK_CLASSW);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(GetFocus(), picker);
    EXPECT_EQ(GetWindowLongPtrW(picker, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_NE(GetWindowLongPtrW(picker, GWL_STYLE) & DTS_SHOWNONE, 0);
    SYSTEMTIME shown{};
    ASSERT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)),
              GDT_VALID);
    EXPECT_EQ(shown.wYear, 2012);
    EXPECT_EQ(shown.wMonth, 3);
    EXPECT_EQ(shown.wDay, 15);

    SYSTEMTIME chosen{2013, 5, 1, 6, 17, 45, 30, 0};
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&chosen));
    notices.clear();
    SendMessageW(picker, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(Editor(DATETIMEPICK_CLASSW), nullptr);
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_MODIFIED, 3, kDateColumn}}));
    EXPECT_EQ(Cell(3, kDateColumn), u"20130506000000");  // a date only: no time

    // Clearing the check box empties the cell.
    ClickCell(3, kDateColumn);
    picker = Editor(DATETIMEPICK_CLASSW);
    ASSERT_NE(picker, nullptr);
    // Wine wants a SYSTEMTIME even with GDT_NONE, which Windows ignores.
    EXPECT_TRUE(
        SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&chosen)));
    SYSTEMTIME none{};
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&none)),
              GDT_NONE);
    SendMessageW(picker, WM_CHAR, VK_TAB, 0);
    EXPECT_EQ(Cell(3, kDateColumn), u"");

    // Escape keeps the cell.
    ClickCell(2, kDateColumn);
    picker = Editor(DATETIMEPICK_CLASSW);
    ASSERT_NE(picker, nullptr);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&chosen));
    notices.clear();
    SendMessageW(picker, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(Cell(2, kDateColumn), u"20120315000000");
}

TEST_F(EditorTest, DropDownCalendarKeepsTheEditOpen) {
    ClickCell(3, kDateColumn);
    HWND picker = Editor(DATETIMEPICK_CLASSW);
    ASSERT_NE(picker, nullptr);
    UpdateWindow(picker);
    notices.clear();
    // The drop-down button is at the picker's right end.
    RECT client{};
    GetClientRect(picker, &client);
    SendMouse(picker, WM_LBUTTONDOWN, client.right - 3, client.bottom / 2, MK_LBUTTON);
    SendMouse(picker, WM_LBUTTONUP, client.right - 3, client.bottom / 2);
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    ASSERT_TRUE(IsWindowVisible(calendar));

    // Working in the calendar takes the focus there: the edit goes on.
    SetFocus(calendar);
    EXPECT_EQ(GetFocus(), calendar);
    EXPECT_NE(Editor(DATETIMEPICK_CLASSW), nullptr);

    // A day chosen closes the calendar; the focus comes back to the picker.
    NMSELCHANGE select{};
    select.nmhdr = {calendar, 0, static_cast<UINT>(MCN_SELECT)};
    select.stSelStart = {2013, 5, 1, 6, 0, 0, 0, 0};
    select.stSelEnd = select.stSelStart;
    // Wine's picker reads the day from the calendar rather than the record.
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&select.stSelStart));
    SendMessageW(picker, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&select));
    EXPECT_FALSE(IsWindowVisible(calendar));
    EXPECT_EQ(GetFocus(), picker);
    EXPECT_NE(Editor(DATETIMEPICK_CLASSW), nullptr);
    EXPECT_TRUE(notices.empty());

    SendMessageW(picker, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_MODIFIED, 3, kDateColumn}}));
    EXPECT_EQ(Cell(3, kDateColumn), u"20130506000000");
}

TEST_F(EditorTest, TimePickerKeepsTheTimeOnly) {
    ClickCell(4, kTimeColumn);
    HWND picker = Editor(DATETIMEPICK_CLASSW);
    ASSERT_NE(picker, nullptr);
    EXPECT_NE(GetWindowLongPtrW(picker, GWL_STYLE) & DTS_UPDOWN, 0);
    SYSTEMTIME shown{};
    ASSERT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)),
              GDT_VALID);
    EXPECT_EQ(shown.wHour, 9);
    EXPECT_EQ(shown.wMinute, 30);
    EXPECT_NE(shown.wYear, 0);  // shown on a real day
    SendMessageW(picker, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(Cell(4, kTimeColumn), u"00000000093000");
}

TEST_F(EditorTest, OnlyTheListsOwnEditorsEndEdits) {
    ClickCell(1, kEditColumn);
    HWND edit = Editor(L"Edit");
    ASSERT_NE(edit, nullptr);
    notices.clear();
    // A record from another window, with a row and text of its own choosing.
    UserListNotify forged{};
    forged.hdr = {parent_.get(), kCellEditorId, ULN_ENDEDIT};
    forged.item = 1;
    forged.subItem = kEditColumn;
    forged.text = L"forged";
    EXPECT_EQ(SendMessageW(window_, WM_NOTIFY, kCellEditorId, reinterpret_cast<LPARAM>(&forged)),
              0);
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(Cell(1, kEditColumn), u"note");
    EXPECT_EQ(Editor(L"Edit"), edit);  // the real edit goes on
}

TEST_F(EditorTest, ScrollingAndTheWheelEndTheEdit) {
    for (UINT message : {WM_VSCROLL, WM_HSCROLL, WM_MOUSEWHEEL, WM_SIZE}) {
        SCOPED_TRACE(message);
        ClickCell(1, kEditColumn);
        HWND edit = Editor(L"Edit");
        ASSERT_NE(edit, nullptr);
        Type(edit, std::to_wstring(message));  // a change in every round
        notices.clear();
        SendMessageW(window_, message, message == WM_MOUSEWHEEL ? MAKEWPARAM(0, 0) : SB_ENDSCROLL,
                     0);
        EXPECT_EQ(Editor(L"Edit"), nullptr);
        EXPECT_EQ(notices, (std::vector<Notice>{{ULN_MODIFIED, 1, kEditColumn}}));
    }
}

// The title tip.

class TitleTipTest : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        window_ = AttachList(list_, 400, 200);
        AddColumns(list_, 120, 120);
        AddRow(list_, rows_, u"Passed", u"Graphics card and driver version", kNoRowImage);
        AddRow(list_, rows_, u"Passed", u"Disk", kNoRowImage);
        notices.clear();
    }

    HWND TitleTip() const { return FindThreadWindow(kTitleTipClassName); }

    // A point on the text of a cell.
    POINT OnText(int32_t row, int32_t column) const {
        RECT rect{};
        EXPECT_TRUE(list_.GetItemRect(row, column, rect));
        return {rect.left + 12, (rect.top + rect.bottom) / 2};
    }

    TextRowStore rows_;
    UserList list_{rows_};
    HWND window_ = nullptr;
};

TEST_F(TitleTipTest, ShownOnlyOverAClippedText) {
    HWND tip = TitleTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_EQ(GetWindow(tip, GW_OWNER), parent_.get());

    POINT fits = OnText(1, 1);
    SendMouse(window_, WM_MOUSEMOVE, fits.x, fits.y);
    EXPECT_FALSE(IsWindowVisible(tip));

    POINT clipped = OnText(0, 1);
    SendMouse(window_, WM_MOUSEMOVE, clipped.x, clipped.y);
    ASSERT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(GetCapture(), tip);
    EXPECT_EQ(WindowText(tip), L"Graphics card and driver version");
    // Over the cell's text, wider than the cell.
    RECT cell{};
    list_.GetItemRect(0, 1, cell);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    RECT bounds{};
    GetWindowRect(tip, &bounds);
    EXPECT_EQ(bounds.left, cell.left + 3 + 4 - 4);
    EXPECT_GT(bounds.right, cell.right);
    const Picture picture(tip);
    EXPECT_EQ(Hex(picture.At(0, 0)), Hex(GetSysColor(COLOR_INFOTEXT)));  // the frame
    EXPECT_EQ(Hex(picture.At(2, 1)), Hex(GetSysColor(COLOR_INFOBK)));

    // The mouse leaves the tip: it hides and lets the mouse go.
    RECT tipClient{};
    GetClientRect(tip, &tipClient);
    SendMouse(tip, WM_MOUSEMOVE, tipClient.right + 5, tipClient.bottom / 2);
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_NE(GetCapture(), tip);
}

TEST_F(TitleTipTest, ClickOnTheTipSelectsTheRowBelow) {
    POINT clipped = OnText(0, 1);
    SendMouse(window_, WM_MOUSEMOVE, clipped.x, clipped.y);
    HWND tip = TitleTip();
    ASSERT_TRUE(IsWindowVisible(tip));
    POINT onTip = clipped;
    MapWindowPoints(window_, tip, &onTip, 1);
    SendMouse(tip, WM_LBUTTONDOWN, onTip.x, onTip.y, MK_LBUTTON);
    PumpMessages();  // the tip posts the press to the list
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_TRUE(list_.IsSelected(0));
    SendMouse(window_, WM_LBUTTONUP, clipped.x, clipped.y);
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_SELECTED, 0, 1}, {ULN_LEFTCLICK, 0, 1}}));
}

TEST_F(TitleTipTest, NoTipWhileEditingOrOffTheText) {
    // Beside the text area (its 4-pixel inset) the tip does not come.
    RECT cell{};
    list_.GetItemRect(0, 1, cell);
    SendMouse(window_, WM_MOUSEMOVE, cell.left + 2, (cell.top + cell.bottom) / 2);
    EXPECT_FALSE(IsWindowVisible(TitleTip()));
    SendMouse(window_, WM_MOUSEMOVE, cell.left + 20, cell.top + 1);
    EXPECT_FALSE(IsWindowVisible(TitleTip()));
}

}  // namespace
