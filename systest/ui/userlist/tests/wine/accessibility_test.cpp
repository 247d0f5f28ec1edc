// The list as a screen reader sees it, in the manner of a conformance suite:
// a real list in a real window, its accessible object from
// AccessibleObjectFromWindow, and the WinEvents it raises recorded by an
// in-context hook and compared with tables.
#include "systest/ui/userlist/tests/wine/list_fixture.h"

#include "common/tests/wine/accessible_reading.h"
#include "common/tests/wine/win_event_log.h"
#include "common/win/com.h"
#include "systest/ui/userlist/win/user_list_notify.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

enum : int32_t { kStatusColumn, kCheckColumn, kLinkColumn };

const VARIANT kSelf = ChildId(CHILDID_SELF);

RECT Location(IAccessible& object, LONG id) {
    LONG left = 0, top = 0, width = 0, height = 0;
    EXPECT_HRESULT_SUCCEEDED(object.accLocation(&left, &top, &width, &height, ChildId(id)));
    return {left, top, left + width, top + height};
}

RECT OnScreen(HWND window, RECT rect) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool operator==(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// The object a navigation, hit test or child look-up ended on: a child id,
// a whole object (kObject) or nothing (kNowhere).
constexpr LONG kObject = -100;
constexpr LONG kNowhere = -200;

LONG Ended(HRESULT result, const VARIANT& end) {
    EXPECT_HRESULT_SUCCEEDED(result);
    switch (end.vt) {
        case VT_I4:
            return end.lVal;
        case VT_DISPATCH:
            return kObject;
        default:
            return kNowhere;
    }
}

ComPtr<IAccessible> ObjectOf(const VARIANT& end) {
    ComPtr<IAccessible> object;
    if (end.vt == VT_DISPATCH) {
        end.pdispVal->QueryInterface(__uuidof(IAccessible), object.put_void());
    }
    return object;
}

// What the list told of its rows and their order, without what the system
// tells of the list window itself (its focus, place and state).
std::vector<WinEventEntry> RowEvents(const WinEventLog& log) {
    std::vector<WinEventEntry> told;
    for (const WinEventEntry& entry : log.Entries()) {
        if (entry.object == OBJID_CLIENT &&
            (entry.child != CHILDID_SELF || entry.event == EVENT_OBJECT_REORDER)) {
            told.push_back(entry);
        }
    }
    return told;
}

WinEventEntry Told(DWORD event, LONG child) {
    return {event, OBJID_CLIENT, child};
}

class AccessibleList : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        window_ = list_.Create(parent_.get(), kListId, RECT{10, 10, 410, 210});
        ASSERT_NE(window_, nullptr);
        const struct {
            const char16_t* title;
            int32_t format;
            int32_t width;
        } columns[] = {
            {u"Status", FormatText, 80}, {u"Check", FormatEdit, 220}, {u"More", FormatLink, 60}};
        for (const auto& c : columns) {
            ListColumn column;
            column.title = c.title;
            column.format = c.format;
            column.width = c.width;
            list_.AddColumn(column);
        }
        rows_.Add(TextRow({u"Passed     ", u"Windows is supported.", u"details"}));
        rows_.Add(TextRow({u"Warning    ", u"Memory is tight.", u""}));
        rows_.Add(TextRow({u"Failed     ", u"No graphics card.", u"help"}));
        list_.RowsAdded();
        object_ = AccessibleOf(window_);
        ASSERT_TRUE(object_);
        notices.clear();
    }

    ComPtr<IAccessible> Header() {
        ComPtr<IDispatch> header;
        EXPECT_EQ(object_->get_accChild(ChildId(rows_.ItemCount() + 1), header.put()), S_OK);
        ComPtr<IAccessible> object;
        if (header) {
            header->QueryInterface(__uuidof(IAccessible), object.put_void());
        }
        return object;
    }

    ComInitialization com_{COINIT_APARTMENTTHREADED};

  public:  // for the steps of the tables
    TextRowStore rows_;
    UserList list_{rows_};
    HWND window_ = nullptr;

  protected:
    ComPtr<IAccessible> object_;
};

TEST_F(AccessibleList, RowsAreListItemsNamedByTheirCells) {
    IAccessible& list = *object_.get();
    EXPECT_EQ(RoleOf(list, CHILDID_SELF), ROLE_SYSTEM_LIST);
    EXPECT_NE(StateOf(list, CHILDID_SELF) & STATE_SYSTEM_MULTISELECTABLE, 0);
    LONG count = 0;
    ASSERT_HRESULT_SUCCEEDED(list.get_accChildCount(&count));
    EXPECT_EQ(count, 4) << "three rows and the header";

    const wchar_t* const names[] = {L"Passed, Windows is supported., details",
                                    L"Warning, Memory is tight.",
                                    L"Failed, No graphics card., help"};
    for (int32_t row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        const LONG id = row + 1;
        EXPECT_EQ(NameOf(list, id), names[row]);
        EXPECT_EQ(RoleOf(list, id), ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ(StateOf(list, id), STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE);
        RECT item{};
        ASSERT_TRUE(list_.GetItemRect(row, -1, item));
        EXPECT_TRUE(Location(list, id) == OnScreen(window_, item));
        ComPtr<IDispatch> element;
        EXPECT_EQ(list.get_accChild(ChildId(id), element.put()), S_FALSE) << "a simple element";
    }
    EXPECT_EQ(NameOf(list, 5), L"<none>");

    // The header after the rows, with a column header per column.
    ComPtr<IAccessible> header = Header();
    ASSERT_TRUE(header);
    EXPECT_EQ(RoleOf(*header.get(), CHILDID_SELF), ROLE_SYSTEM_LIST);
    ASSERT_HRESULT_SUCCEEDED(header->get_accChildCount(&count));
    EXPECT_EQ(count, 3);
    for (int32_t column = 0; column < 3; ++column) {
        ListColumn record;
        list_.GetColumn(column, record);
        EXPECT_EQ(NameOf(*header.get(), column + 1),
                  std::wstring(record.title.begin(), record.title.end()));
        EXPECT_EQ(RoleOf(*header.get(), column + 1), ROLE_SYSTEM_COLUMNHEADER);
        RECT cell{};
        list_.GetColumnRect(column, cell);
        EXPECT_TRUE(Location(*header.get(), column + 1) == OnScreen(window_, cell));
    }
    ComPtr<IDispatch> parent;
    ASSERT_HRESULT_SUCCEEDED(header->get_accParent(parent.put()));
    ComPtr<IAccessible> parentList;
    parent->QueryInterface(__uuidof(IAccessible), parentList.put_void());
    EXPECT_EQ(parentList.get(), object_.get());

    // Children as AccessibleChildren hands them to a screen reader.
    VARIANT children[5];
    LONG obtained = 0;
    EXPECT_EQ(AccessibleChildren(object_.get(), 0, 5, children, &obtained), S_FALSE);
    ASSERT_EQ(obtained, 4);
    for (LONG i = 0; i < 3; ++i) {
        EXPECT_EQ(children[i].vt, VT_I4);
        EXPECT_EQ(children[i].lVal, i + 1);
    }
    EXPECT_EQ(children[3].vt, VT_DISPATCH);
    VariantClear(&children[3]);
}

TEST_F(AccessibleList, NavigationAndHitTestsFollowTheRowsAndColumns) {
    ComPtr<IAccessible> headerObject = Header();
    ASSERT_TRUE(headerObject);
    constexpr bool kInHeader = true;  // among the column headers, not the rows
    const struct {
        LONG start;
        LONG direction;
        LONG end;
        bool inHeader = false;
    } moves[] = {
        {CHILDID_SELF, NAVDIR_FIRSTCHILD, 1},
        {CHILDID_SELF, NAVDIR_LASTCHILD, kObject},
        {1, NAVDIR_NEXT, 2},
        {2, NAVDIR_DOWN, 3},
        {3, NAVDIR_DOWN, kNowhere},
        {3, NAVDIR_NEXT, kObject},
        {2, NAVDIR_PREVIOUS, 1},
        {1, NAVDIR_PREVIOUS, kNowhere},
        {1, NAVDIR_UP, kObject},
        {2, NAVDIR_RIGHT, kNowhere},
        {CHILDID_SELF, NAVDIR_FIRSTCHILD, 1, kInHeader},
        {CHILDID_SELF, NAVDIR_LASTCHILD, 3, kInHeader},
        {CHILDID_SELF, NAVDIR_NEXT, kNowhere, kInHeader},
        {1, NAVDIR_NEXT, 2, kInHeader},
        {2, NAVDIR_RIGHT, 3, kInHeader},
        {3, NAVDIR_NEXT, kNowhere, kInHeader},
        {3, NAVDIR_PREVIOUS, 2, kInHeader},
        {2, NAVDIR_LEFT, 1, kInHeader},
        {1, NAVDIR_LEFT, kNowhere, kInHeader},
        {2, NAVDIR_DOWN, kNowhere, kInHeader},
    };
    for (const auto& move : moves) {
        SCOPED_TRACE(testing::Message()
                     << move.start << " " << move.direction << " " << move.inHeader);
        IAccessible& object = move.inHeader ? *headerObject.get() : *object_.get();
        UniqueVariant end;
        EXPECT_EQ(
            Ended(object.accNavigate(move.direction, ChildId(move.start), end.put()), end.get()),
            move.end);
    }
    UniqueVariant none;
    EXPECT_EQ(object_->accNavigate(NAVDIR_FIRSTCHILD, ChildId(2), none.put()), E_INVALIDARG);

    RECT client{};
    GetClientRect(window_, &client);
    const POINT row1 = CellCentre(list_, 1, kCheckColumn);
    RECT header{};
    list_.GetColumnRect(kStatusColumn, header);
    const struct {
        POINT point;  // client coordinates
        LONG hit;
        bool inHeader = false;
    } points[] = {
        {row1, 2},
        {{header.left + 5, header.bottom / 2}, kObject},
        {{row1.x, client.bottom - 2}, CHILDID_SELF},  // below the rows
        {{client.right + 40, row1.y}, kNowhere},
        {{row1.x, header.bottom / 2}, kCheckColumn + 1, kInHeader},
        {{client.right - 5, header.bottom / 2}, CHILDID_SELF, kInHeader},  // after the columns
        {row1, kNowhere, kInHeader},
    };
    for (const auto& p : points) {
        SCOPED_TRACE(testing::Message() << p.point.x << "," << p.point.y << " " << p.inHeader);
        POINT screen = p.point;
        ClientToScreen(window_, &screen);
        IAccessible& object = p.inHeader ? *headerObject.get() : *object_.get();
        UniqueVariant hit;
        EXPECT_EQ(Ended(object.accHitTest(screen.x, screen.y, hit.put()), hit.get()), p.hit);
        if (p.hit == kObject) {
            EXPECT_EQ(RoleOf(*ObjectOf(hit.get()).get(), CHILDID_SELF), ROLE_SYSTEM_LIST);
        }
    }
}

TEST_F(AccessibleList, KeysClicksSortingAndNewRowsAreTold) {
    WinEventLog log(window_, EVENT_OBJECT_CREATE, EVENT_OBJECT_NAMECHANGE);
    ASSERT_TRUE(log.Hooked());
    SetFocus(window_);
    log.Clear();

    const struct {
        const char* name;
        void (*act)(AccessibleList& test);
        std::vector<WinEventEntry> told;
        bool twoRowsSelected = false;  // the second of them focused
    } steps[] = {
        {"Down selects the first row",
         [](AccessibleList& t) { PressKey(t.window_, VK_DOWN); },
         {Told(EVENT_OBJECT_SELECTION, 1), Told(EVENT_OBJECT_FOCUS, 1)}},
        {"Down moves on",
         [](AccessibleList& t) { PressKey(t.window_, VK_DOWN); },
         {Told(EVENT_OBJECT_SELECTION, 2), Told(EVENT_OBJECT_FOCUS, 2)}},
        {"Shift+Down extends",
         [](AccessibleList& t) { PressKey(t.window_, VK_DOWN, false, true); },
         {Told(EVENT_OBJECT_SELECTIONADD, 3), Told(EVENT_OBJECT_FOCUS, 3)},
         true},
        {"Ctrl+A adds the rest",
         [](AccessibleList& t) { PressKey(t.window_, 'A', true); },
         {Told(EVENT_OBJECT_SELECTIONADD, 1)}},
        {"a header click sorts",
         [](AccessibleList& t) {
             RECT header{};
             t.list_.GetColumnRect(kCheckColumn, header);
             Click(t.window_, header.left + 10, header.bottom / 2);
         },
         {Told(EVENT_OBJECT_SELECTIONREMOVE, 1), Told(EVENT_OBJECT_SELECTIONREMOVE, 2),
          Told(EVENT_OBJECT_SELECTIONREMOVE, 3), Told(EVENT_OBJECT_REORDER, CHILDID_SELF)}},
        {"a new row",
         [](AccessibleList& t) {
             t.rows_.Add(TextRow({u"Passed", u"Disk space.", u""}));
             t.list_.RowsAdded();
         },
         {Told(EVENT_OBJECT_CREATE, 4)}},
        {"a click on an edit cell",
         [](AccessibleList& t) {
             const POINT cell = CellCentre(t.list_, 0, kCheckColumn);
             Click(t.window_, cell.x, cell.y);
         },
         {Told(EVENT_OBJECT_SELECTION, 1), Told(EVENT_OBJECT_FOCUS, 1)}},
        {"Enter commits the edit",
         [](AccessibleList&) {
             const HWND edit = GetFocus();
             SendMessageW(edit, WM_CHAR, L'!', 0);
             SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
         },
         {Told(EVENT_OBJECT_NAMECHANGE, 1), Told(EVENT_OBJECT_FOCUS, 1)}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(*this);
        EXPECT_EQ(RowEvents(log), step.told);
        log.Clear();
        if (step.twoRowsSelected) {
            constexpr LONG kRow = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
            EXPECT_EQ(StateOf(*object_.get(), 1), kRow);
            EXPECT_EQ(StateOf(*object_.get(), 2), kRow | STATE_SYSTEM_SELECTED);
            EXPECT_EQ(StateOf(*object_.get(), 3),
                      kRow | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
        }
    }
    // Sorted by the check column; the edit replaced the first row's text.
    EXPECT_EQ(NameOf(*object_.get(), 1), L"Warning, !");
}

TEST_F(AccessibleList, ScreenReaderSelectsFocusesAndActs) {
    SetFocus(parent_.get());
    EXPECT_EQ(object_->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, ChildId(2)), S_OK);
    EXPECT_EQ(GetFocus(), window_);
    EXPECT_TRUE(list_.IsSelected(1));
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_SELECTED, 1, 0}}));
    UniqueVariant focus;
    EXPECT_EQ(object_->get_accFocus(focus.put()), S_OK);
    EXPECT_EQ(focus.get().lVal, 2);

    EXPECT_EQ(object_->accSelect(SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION, ChildId(3)),
              E_INVALIDARG);
    EXPECT_EQ(object_->accSelect(SELFLAG_ADDSELECTION, ChildId(9)), E_INVALIDARG);
    EXPECT_EQ(object_->accSelect(SELFLAG_ADDSELECTION, ChildId(3)), S_OK);
    UniqueVariant selection;
    ASSERT_EQ(object_->get_accSelection(selection.put()), S_OK);
    ASSERT_EQ(selection.get().vt, VT_UNKNOWN) << "several rows come as an enumeration";
    ComPtr<IEnumVARIANT> rows;
    selection.get().punkVal->QueryInterface(__uuidof(IEnumVARIANT), rows.put_void());
    ASSERT_TRUE(rows);
    VARIANT ids[3];
    ULONG fetched = 0;
    EXPECT_EQ(rows->Next(3, ids, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(ids[0].lVal, 2);
    EXPECT_EQ(ids[1].lVal, 3);

    // Rows with a link cell jump; the second row's link is empty, but its
    // column is the link column all the same.
    BSTR action = nullptr;
    ASSERT_EQ(object_->get_accDefaultAction(ChildId(1), &action), S_OK);
    EXPECT_STREQ(action, L"Jump");
    SysFreeString(action);
    notices.clear();
    EXPECT_EQ(object_->accDoDefaultAction(ChildId(3)), S_OK);
    EXPECT_EQ(notices, (std::vector<Notice>{{ULN_LINKCLICK, 2, kLinkColumn}}));

    // A column header's default action is the click that sorts.
    ComPtr<IAccessible> header = Header();
    ASSERT_TRUE(header);
    EXPECT_EQ(header->accDoDefaultAction(ChildId(kCheckColumn + 1)), S_OK);
    EXPECT_EQ(rows_.ItemText(0, kCheckColumn), u"Memory is tight.");  // sorted by it
    UniqueVariant none;
    EXPECT_EQ(object_->get_accSelection(none.put()), S_FALSE) << "sorting clears the selection";
    EXPECT_EQ(none.get().vt, VT_EMPTY);
}

TEST_F(AccessibleList, ObjectOutlivesItsWindow) {
    ComPtr<IAccessible> header = Header();
    ASSERT_TRUE(header);
    DestroyWindow(window_);
    LONG count = 0;
    EXPECT_EQ(object_->get_accChildCount(&count), RPC_E_DISCONNECTED);
    BSTR name = nullptr;
    EXPECT_EQ(object_->get_accName(kSelf, &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(object_->get_accName(ChildId(1), &name), RPC_E_DISCONNECTED);
    UniqueVariant end;
    EXPECT_EQ(object_->accNavigate(NAVDIR_FIRSTCHILD, kSelf, end.put()), RPC_E_DISCONNECTED);
    EXPECT_EQ(header->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(header->accDoDefaultAction(ChildId(1)), RPC_E_DISCONNECTED);
}

}  // namespace
