// The list itself: creation, columns, rows, geometry, selection, sorting,
// notifications to the parent, its message table, and what it tells screen
// readers.
#include "systest/ui/userlist/win/user_list.h"

#include "common/win/screen_dpi.h"
#include "common/win/wait_cursor.h"
#include "common/win/wide.h"
#include "systest/ui/userlist/auto_size.h"
#include "systest/ui/userlist/list_accessibility.h"
#include "systest/ui/userlist/win/cell_date_format.h"
#include "systest/ui/userlist/win/user_list_notify.h"
#include "systest/ui/userlist/win/user_list_timers.h"

#include <commctrl.h>

#include <new>
#include <string>

namespace {

// Rows and the header are this much higher than the text "Height", at 96 DPI.
constexpr int kRowPadding = 6;
constexpr wchar_t kRowHeightSample[] = L"Height";

// Item tool tips may be as wide as their text.
constexpr LPARAM kToolTipMaxWidth = 32767;

RECT ToRect(const ListRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

DWORD WinEvent(ListEventKind kind) {
    switch (kind) {
        case ListEventKind::SelectionWithin:
            return EVENT_OBJECT_SELECTIONWITHIN;
        case ListEventKind::Selection:
            return EVENT_OBJECT_SELECTION;
        case ListEventKind::SelectionAdd:
            return EVENT_OBJECT_SELECTIONADD;
        case ListEventKind::SelectionRemove:
            return EVENT_OBJECT_SELECTIONREMOVE;
        case ListEventKind::Focus:
            break;
    }
    return EVENT_OBJECT_FOCUS;
}

}  // namespace

ATOM RegisterUserListClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kUserListClassName;
    return RegisterClassExW(&windowClass);
}

// What no row takes goes to the previous procedure (DefWindowProcW, which also
// sets the class's arrow cursor on WM_SETCURSOR; the mouse handlers set the
// resize and link cursors again on each move). The editors' WM_CTLCOLOREDIT
// and WM_CTLCOLORLISTBOX go there too: they are drawn in the system's colours.
MessageTable<SubclassedWindow> UserList::Messages() const {
    static constexpr MessageRow<SubclassedWindow> kMessages[] = {
        Handle<WM_CREATE, &UserList::OnCreate>(),
        Observe<WM_DESTROY, &UserList::OnDestroy>(),
        Handle<WM_SIZE, &UserList::OnSize>(),
        Handle<WM_SETFOCUS, &UserList::OnSetFocus>(),
        Handle<WM_KILLFOCUS, &UserList::OnKillFocus>(),
        Handle<WM_CANCELMODE, &UserList::OnCancelMode>(),
        Handle<WM_GETDLGCODE, &UserList::OnGetDlgCode>(),
        Handle<WM_GETOBJECT, &UserList::OnGetObject>(),
        Observe<WM_UPDATEUISTATE, &UserList::OnUpdateUiState>(),
        Handle<WM_HSCROLL, &UserList::OnHScroll>(),
        Handle<WM_VSCROLL, &UserList::OnVScroll>(),
        Handle<WM_SYSCOLORCHANGE, &UserList::OnSettingsChange>(),
        Handle<WM_SETTINGCHANGE, &UserList::OnSettingsChange>(),
        Handle<WM_FONTCHANGE, &UserList::OnSettingsChange>(),
        Handle<WM_KEYDOWN, &UserList::OnKeyDown>(),
        Observe<WM_SYSKEYDOWN, &UserList::OnSysKeyDown>(),
        Handle<WM_TIMER, &UserList::OnTimer>(),
        Handle<WM_MOUSEMOVE, &UserList::OnMouseMove>(),
        Handle<WM_LBUTTONDOWN, &UserList::OnLButtonDown>(),
        Handle<WM_LBUTTONUP, &UserList::OnLButtonUp>(),
        Handle<WM_LBUTTONDBLCLK, &UserList::OnLButtonDblClk>(),
        Handle<WM_RBUTTONDOWN, &UserList::OnRButtonDown>(),
        // DefWindowProcW turns the release into WM_CONTEXTMENU.
        Observe<WM_RBUTTONUP, &UserList::OnRButtonUp>(),
        Handle<WM_CONTEXTMENU, &UserList::OnContextMenu>(),
        Handle<WM_MOUSELEAVE, &UserList::OnMouseLeave>(),
        Handle<WM_MOUSEWHEEL, &UserList::OnMouseWheel>(),
        Handle<WM_ERASEBKGND, &UserList::OnEraseBackground>(),
        Handle<WM_PAINT, &UserList::OnPaint>(),
        Handle<WM_PRINTCLIENT, &UserList::OnPrintClient>(),
        Handle<WM_SETREDRAW, &UserList::OnSetRedraw>(),
        Handle<WM_NOTIFY, &UserList::OnNotify>(),
        // What child windows send their parent goes back to the child (below).
        HandleAsItCame<WM_COMMAND, &UserList::OnReflect>(),
        HandleAsItCame<WM_DRAWITEM, &UserList::OnReflect>(),
        HandleAsItCame<WM_MEASUREITEM, &UserList::OnReflect>(),
        HandleAsItCame<WM_DELETEITEM, &UserList::OnReflect>(),
        HandleAsItCame<WM_VKEYTOITEM, &UserList::OnReflect>(),
        HandleAsItCame<WM_CHARTOITEM, &UserList::OnReflect>(),
        HandleAsItCame<WM_COMPAREITEM, &UserList::OnReflect>(),
        HandleAsItCame<WM_CTLCOLORMSGBOX, &UserList::OnReflect>(),
        HandleAsItCame<WM_CTLCOLORBTN, &UserList::OnReflect>(),
        HandleAsItCame<WM_CTLCOLORDLG, &UserList::OnReflect>(),
        HandleAsItCame<WM_CTLCOLORSCROLLBAR, &UserList::OnReflect>(),
        HandleAsItCame<WM_CTLCOLORSTATIC, &UserList::OnReflect>(),
        HandleAsItCame<WM_PARENTNOTIFY, &UserList::OnReflect>(),
    };
    return kMessages;
}

UserList::~UserList() {
    KillTimers();
    DisconnectAccessible();
    // Unbind before the members go: no message may reach a half-destroyed object.
    Detach();
}

HWND UserList::Create(HWND parent, UINT id, const RECT& rect, DWORD style) {
    return SubclassedWindow::Create(0, kUserListClassName, nullptr, style, rect, parent, id);
}

LRESULT UserList::HandleMessage(const WindowMessage& message) {
    if (message.id >= WM_MOUSEFIRST && message.id <= WM_MOUSEWHEEL) {
        RelayToToolTip(message);
    }
    return SubclassedWindow::HandleMessage(message);
}

bool UserList::Initialise() {
    HWND window = Window();
    if (window == nullptr) {
        return false;
    }
    // The DPI is the system's, fixed while the program runs: the images are
    // loaded for it once.
    metrics_ = ListMetricsForDpi(ScreenDpi());
    if (!LoadListImages(GetModuleHandleW(nullptr), metrics_, images_) || !RefreshMetrics()) {
        return false;
    }
    // The list draws its own flat frame.
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, (style & ~WS_BORDER) | WS_CLIPCHILDREN);
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    SetWindowLongPtrW(window, GWL_EXSTYLE, (exStyle & ~WS_EX_CLIENTEDGE) | WS_EX_STATICEDGE);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return CreateToolTip();
}

bool UserList::SetRowImages(HINSTANCE module, const int (&bitmaps)[std::size(kImageSizes)]) {
    rowImages_ = LoadImageStrip(module, bitmaps, metrics_);
    Invalidate();
    return rowImages_.valid();
}

bool UserList::RefreshMetrics() {
    colours_ = ReadListColours();
    UINT lines = 0;
    if (SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) {
        wheelLines_ = lines;
    }
    // The title tip takes the colours and font of the moment.
    return CreateListFonts(fonts_) && MeasureRowHeight() && titleTip_.Create(Window());
}

bool UserList::MeasureRowHeight() {
    WindowDc dc(Window());
    if (!dc) {
        return false;
    }
    SelectedObject font(dc.get(), fonts_.list.get());
    SIZE extent{};
    if (!GetTextExtentPoint32W(dc.get(), kRowHeightSample, std::size(kRowHeightSample) - 1,
                               &extent)) {
        return false;
    }
    rowHeight_ = extent.cy + metrics_.Scale(kRowPadding);
    headerHeight_ = rowHeight_;
    return true;
}

bool UserList::CreateToolTip() {
    if (toolTip_) {
        return true;
    }
    toolTip_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!toolTip_) {
        return false;
    }
    SendMessageW(toolTip_.get(), TTM_SETMAXTIPWIDTH, 0, kToolTipMaxWidth);
    return true;
}

void UserList::SetOptions(const ListOptions& options) {
    options_ = options;
    ResetScrollBars(ScrollBars::Both, -1, false);
    Invalidate();
}

// Columns.

bool UserList::AddColumn(const ListColumn& column) {
    try {
        columns_.push_back(PrepareNewColumn(column, metrics_, GetColumnCount()));
    } catch (const std::bad_alloc&) {
        return false;
    }
    ResetScrollBars(ScrollBars::Both, -1, true);
    Invalidate();
    return true;
}

bool UserList::GetColumn(int32_t column, ListColumn& record) const {
    if (column < 0 || column >= GetColumnCount()) {
        return false;
    }
    record = columns_[static_cast<size_t>(column)];
    return true;
}

int32_t UserList::GetColumnSubItem(int32_t column) const {
    ListColumn record;
    return GetColumn(column, record) ? record.subItem : 0;
}

int32_t UserList::GetColumnWidth(int32_t column) const {
    ListColumn record;
    return GetColumn(column, record) ? record.width : 0;
}

bool UserList::SetColumnWidth(int32_t column, int32_t width) {
    if (column < 0 || column >= GetColumnCount()) {
        return false;
    }
    ListColumn& record = columns_[static_cast<size_t>(column)];
    if (record.fixedWidth) {
        return true;
    }
    record.width = std::max(width, 0);
    ResetScrollBars(ScrollBars::Both, -1, true);
    Invalidate();
    return true;
}

bool UserList::AutoSizeColumn(int32_t column) {
    if (column < 0 || column >= GetColumnCount() || Window() == nullptr) {
        return false;
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    if (record.fixedWidth) {
        return false;
    }
    WindowDc dc(Window());
    if (!dc) {
        return false;
    }
    SelectedObject font(dc.get(), fonts_.list.get());
    const auto measure = [&](const std::u16string& text, int32_t& width) {
        SIZE extent{};
        if (!GetTextExtentPoint32W(dc.get(), reinterpret_cast<const wchar_t*>(text.c_str()),
                                   static_cast<int>(text.size()), &extent)) {
            return false;
        }
        width = extent.cx;
        return true;
    };
    int32_t titleWidth = 0;
    if (!measure(record.title, titleWidth)) {
        return false;
    }
    std::vector<CellExtent> cells;
    for (int32_t row = 0; row < rows_.ItemCount(); ++row) {
        CellExtent cell;
        if (!measure(rows_.ItemText(row, record.subItem), cell.textWidth)) {
            return false;
        }
        cell.hasImage = rows_.ItemImage(row, record.subItem) != kNoRowImage;
        cells.push_back(cell);
    }
    const int32_t imageWidth = rowImages_ ? metrics_.imageSize : 0;
    return SetColumnWidth(column, AutoSizeWidth(titleWidth, cells, imageWidth, metrics_));
}

int32_t UserList::GetTotalWidth(bool recompute) {
    if (recompute) {
        totalWidth_ = ColumnsTotalWidth(columns_);
    }
    return totalWidth_;
}

// Scrolling and geometry.

int32_t UserList::ScrollPosition(int bar) const {
    return Window() != nullptr ? GetScrollPos(Window(), bar) : 0;
}

int32_t UserList::ClientWidth() const {
    RECT client{};
    if (Window() != nullptr) {
        GetClientRect(Window(), &client);
    }
    return client.right;
}

ListGeometry UserList::Geometry() const {
    ListGeometry geometry;
    geometry.columns = columns_;
    RECT client{};
    if (Window() != nullptr) {
        GetClientRect(Window(), &client);
    }
    geometry.clientWidth = client.right;
    geometry.clientHeight = client.bottom;
    geometry.rowHeight = rowHeight_;
    geometry.headerHeight = headerHeight_;
    geometry.showHeader = options_.showHeader;
    geometry.scrollX = ScrollPosition(SB_HORZ);
    geometry.scrollY = ScrollPosition(SB_VERT);
    geometry.rowCount = rows_.ItemCount();
    geometry.totalWidth = totalWidth_;
    return geometry;
}

void UserList::ResetScrollBars(ScrollBars which, int32_t position, bool recompute) {
    if (recompute) {
        GetTotalWidth(true);
    }
    if (Window() == nullptr || !redraw_) {
        return;
    }
    const ListGeometry geometry = Geometry();
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | (position >= 0 ? SIF_POS : 0);
    info.nPos = position;
    if (which != ScrollBars::Horizontal && options_.vertScroll) {
        const ScrollRange range = geometry.VerticalScroll();
        info.nMax = range.maximum;
        info.nPage = static_cast<UINT>(std::max(range.page, 0));
        SetScrollInfo(Window(), SB_VERT, &info, TRUE);
    }
    if (which != ScrollBars::Vertical && options_.horzScroll) {
        const ScrollRange range = geometry.HorizontalScroll();
        info.nMax = range.maximum;
        info.nPage = static_cast<UINT>(std::max(range.page, 0));
        const int newPosition = SetScrollInfo(Window(), SB_HORZ, &info, TRUE);
        horzBarShown_ = newPosition != 0 && range.page < range.maximum;
    }
}

int32_t UserList::GetVisibleRowCount(bool partial) const {
    return Geometry().VisibleRowCount(partial);
}

bool UserList::HitTest(int32_t x, int32_t y, int32_t& row, int32_t& column) const {
    const ListHit hit = Geometry().HitTest(x, y);
    row = hit.row;
    column = hit.column;
    return hit.hit;
}

bool UserList::HitTestHeader(int32_t x, int32_t y, int32_t& column, uint32_t& flags) const {
    const HeaderHit hit = Geometry().HitTestHeader(x, y);
    column = hit.column;
    flags = hit.flags;
    return hit.hit;
}

bool UserList::GetColumnRect(int32_t column, RECT& rect) const {
    ListRect result;
    if (!Geometry().ColumnRect(column, result)) {
        return false;
    }
    rect = ToRect(result);
    return true;
}

bool UserList::GetItemRect(int32_t row, int32_t column, RECT& rect) const {
    ListRect result;
    if (!Geometry().ItemRect(row, column, result)) {
        return false;
    }
    rect = ToRect(result);
    return true;
}

bool UserList::InvalidateItem(int32_t row, int32_t column) {
    RECT rect;
    if (Window() == nullptr || !GetItemRect(row, column, rect)) {
        return false;
    }
    return InvalidateRect(Window(), &rect, FALSE) != FALSE;
}

bool UserList::IsItemVisible(int32_t row, int32_t column, bool partial) const {
    return Geometry().IsItemVisible(row, column, partial, options_.focusCell);
}

bool UserList::EnsureItemVisible(int32_t row, int32_t column) {
    const ScrollPlan plan = Geometry().EnsureVisible(row, column, options_.focusCell);
    if (plan.visible) {
        return true;
    }
    HideTitleTip();
    if (Window() == nullptr) {
        return false;
    }
    if (plan.setFirstRow) {
        SetScrollPos(Window(), SB_VERT, plan.firstRow * rowHeight_, TRUE);
    }
    if (plan.setScrollX) {
        SetScrollPos(Window(), SB_HORZ, plan.scrollX, TRUE);
    }
    Invalidate();
    return true;
}

// Selection.

bool UserList::GetFocusItem(int32_t& row, int32_t& column) const {
    const FocusedCell focus = selection_.Focus(options_.focusCell);
    row = focus.row;
    column = focus.column;
    return focus.valid;
}

bool UserList::SelectItem(int32_t row, int32_t column, UINT keys) {
    const int32_t rowCount = rows_.ItemCount();
    if (row < 0 || row >= rowCount) {
        return false;
    }
    const ListSelection before = selection_;
    const SelectionChange change =
        selection_.Select(row, column, keys, options_.singleSelect, rowCount);
    AnnounceSelection(before);
    if (change.selected) {
        Notify(ULN_SELECTED, change.row, change.column);
    }
    const int32_t focusItem = selection_.FocusItem();
    const int32_t focusColumn = selection_.FocusColumn();
    if (IsItemVisible(focusItem, focusColumn, false)) {
        if (focusItem != -1 && focusColumn != -1) {
            EditItem(focusItem, focusColumn);
        }
    } else if (Window() != nullptr) {
        SetTimer(Window(), kEditDelayTimer, kEditDelay, nullptr);
    }
    Invalidate();
    return true;
}

void UserList::ClearSelection() {
    const ListSelection before = selection_;
    selection_.Clear();
    AnnounceSelection(before);
    Invalidate();
}

void UserList::SelectAll() {
    if (options_.singleSelect) {
        return;
    }
    const ListSelection before = selection_;
    selection_.SelectAll(rows_.ItemCount());
    Invalidate();
    AnnounceSelection(before);
}

bool UserList::SortColumn(int32_t column) {
    if (!options_.showHeader || !options_.sortEnabled || column < 0 || column >= GetColumnCount()) {
        return false;
    }
    // Cleared first, so the rows that leave the selection are told by the
    // places they had.
    ClearSelection();
    {
        const WaitCursor sorting;
        const int32_t subItem = GetColumnSubItem(column);
        if (subItem == sortSubItem_) {
            sortAscending_ = !sortAscending_;
            rows_.ReverseItems();
        } else {
            sortAscending_ = true;
            sortSubItem_ = subItem;
            rows_.SortItems(subItem, true);
        }
    }
    RaiseEvent(EVENT_OBJECT_REORDER, -1);
    return true;
}

bool UserList::EditItem(int32_t row, int32_t column) {
    if (!EnsureItemVisible(row, column)) {
        return false;
    }
    RECT cell;
    if (Window() == nullptr || GetFocus() != Window() || column == -1 ||
        !GetItemRect(row, column, cell)) {
        return false;
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    if ((record.flags & ReadOnly) || (record.format != FormatEdit && record.format != FormatDate)) {
        return true;
    }
    editing_ = true;
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (OpenEditor(row, column, cell)) {
        return true;
    }
    // No editor will report its end: the cell must not stay in its editing look.
    editing_ = false;
    InvalidateItem(row, column);
    return false;
}

void UserList::RowsAdded() {
    ResetScrollBars(ScrollBars::Both, -1, true);
    Invalidate();
    for (const int32_t count = rows_.ItemCount(); shownRowCount_ < count; ++shownRowCount_) {
        RaiseEvent(EVENT_OBJECT_CREATE, shownRowCount_);
    }
}

void UserList::StoreCellValue(int32_t row, int32_t subItem, const std::u16string& value) {
    const std::u16string name = GetItemSentence(row);
    rows_.SetItemValue(row, subItem, value);
    if (GetItemSentence(row) != name) {
        RaiseEvent(EVENT_OBJECT_NAMECHANGE, row);
    }
}

void UserList::ToggleCheck(int32_t row, int32_t column) {
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    StoreCellValue(row, record.subItem,
                   NextCheckValue(record.format, rows_.ItemText(row, record.subItem)));
    Notify(ULN_MODIFIED, row, column);
    InvalidateItem(row, -1);
}

void UserList::KillTimers() {
    if (Window() != nullptr) {
        for (UINT_PTR timer :
             {kResizeShrinkTimer, kEditDelayTimer, kRubberBandTimer, kScrollAnimationTimer}) {
            KillTimer(Window(), timer);
        }
    }
}

void UserList::Invalidate() {
    if (Window() != nullptr && redraw_) {
        InvalidateRect(Window(), nullptr, FALSE);
    }
}

void UserList::InvalidateHeader() {
    if (Window() != nullptr) {
        const RECT header{0, 0, ClientWidth(), headerHeight_};
        InvalidateRect(Window(), &header, FALSE);
    }
}

void UserList::Notify(UINT code, int32_t row, int32_t column) {
    HWND parent = GetParent(Window());
    if (parent == nullptr) {
        return;
    }
    UserListNotify record{};
    record.hdr.hwndFrom = Window();
    record.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(Window()));
    record.hdr.code = code;
    record.item = row;
    record.subItem = GetColumnSubItem(column);
    SendMessageW(parent, WM_NOTIFY, record.hdr.idFrom, reinterpret_cast<LPARAM>(&record));
}

// Screen readers.

std::optional<LRESULT> UserList::OnGetObject(WPARAM flags, LONG objectId) {
    if (!AsksForClient(objectId)) {
        return std::nullopt;
    }
    if (!accessible_) {
        accessible_ = ListAccessible::Create(*this);
    }
    LRESULT result = 0;
    if (!accessible_ || !AnswerGetObject(*accessible_.get(), flags, result)) {
        return std::nullopt;
    }
    return result;
}

void UserList::DisconnectAccessible() {
    if (accessible_) {
        accessible_->Disconnect();
        accessible_.reset();
    }
}

void UserList::RaiseEvent(DWORD event, int32_t row) {
    if (Window() != nullptr) {
        NotifyWinEvent(event, Window(), OBJID_CLIENT, row < 0 ? CHILDID_SELF : RowChildId(row));
    }
}

void UserList::AnnounceSelection(const ListSelection& before) {
    for (const ListEvent& event : SelectionEvents(before, selection_, GetFocus() == Window())) {
        RaiseEvent(WinEvent(event.kind), event.row);
    }
}

std::u16string UserList::GetItemSentence(int32_t row) const {
    return RowSentence(columns_, [&](const ListColumn& column) { return ShownText(row, column); });
}

bool UserList::GetRowRect(int32_t row, RECT& rect) const {
    if (row < 0 || row >= GetItemCount()) {
        return false;
    }
    const ListRect place = Geometry().RowRect(row);
    rect = {place.left, place.top, place.right, place.bottom};
    return true;
}

bool UserList::SelectForScreenReader(int32_t row, uint32_t flags) {
    if (row < 0 || row >= GetItemCount()) {
        return false;
    }
    const ListSelection before = selection_;
    if (!selection_.SelectAccessible(row, flags, options_.singleSelect)) {
        return false;
    }
    AnnounceSelection(before);
    if (IsSelected(row) && !before.IsSelected(row)) {
        Notify(ULN_SELECTED, row, selection_.FocusColumn());
    }
    if (flags & AccessibleTakeFocus) {
        EnsureItemVisible(row, -1);
        if (Window() != nullptr && GetFocus() != Window()) {
            SetFocus(Window());  // WM_SETFOCUS tells the focused row
        }
    }
    Invalidate();
    return true;
}

int32_t UserList::ActionColumn() const {
    for (int32_t i = 0; i < GetColumnCount(); ++i) {
        const ListColumn& column = columns_[static_cast<size_t>(i)];
        const bool clickable = column.format == FormatLink || column.format == FormatCheck ||
                               column.format == FormatTriState;
        if (clickable && column.width > 0 && !(column.flags & ReadOnly)) {
            return i;
        }
    }
    return -1;
}

std::wstring UserList::GetItemActionName(int32_t row) const {
    const int32_t column = ActionColumn();
    if (column == -1 || row < 0 || row >= GetItemCount()) {
        return {};
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    switch (record.format) {
        case FormatLink:
            return L"Jump";
        case FormatCheck:
            return CellInteger(rows_.ItemText(row, record.subItem)) > 0 ? L"Uncheck" : L"Check";
        default:
            return L"Toggle";
    }
}

bool UserList::DoItemAction(int32_t row) {
    const int32_t column = ActionColumn();
    if (column == -1 || row < 0 || row >= GetItemCount()) {
        return false;
    }
    if (columns_[static_cast<size_t>(column)].format == FormatLink) {
        Notify(ULN_LINKCLICK, row, column);
    } else {
        ToggleCheck(row, column);
    }
    return true;
}

std::u16string UserList::ShownText(int32_t row, const ListColumn& column) const {
    const std::u16string text = rows_.ItemText(row, column.subItem);
    switch (column.format) {
        case FormatDate: {
            CellDate date;
            return !text.empty() && rows_.ItemDate(row, column.subItem, date)
                       ? FromWide(FormatCellDate(date, column.flags))
                       : u"";
        }
        case FormatCheck:
        case FormatTriState:
            return u"";  // a mark; a screen reader hears the row's default action
        case FormatProgress:
            return FromWide(std::to_wstring(static_cast<int>(CellProgress(text))) + L" %");
        default:
            return text;
    }
}

// Messages.

LRESULT UserList::OnCreate() {
    return Initialise() ? 0 : -1;
}

void UserList::OnDestroy() {
    KillTimers();
    animationPicture_.reset();
    titleTip_.Destroy();
    cellEdit_.Destroy();
    cellDate_.Destroy();
    toolTip_.reset();
    DisconnectAccessible();
}

void UserList::OnSize() {
    StopScrollAnimation();
    EndEdit();
    ResetScrollBars(ScrollBars::Both, -1, false);
    Invalidate();
}

void UserList::OnSetFocus(HWND) {
    Invalidate();
    // The system has told screen readers that the list has the focus; which
    // row has it is the list's to tell.
    int32_t row = -1;
    int32_t column = -1;
    if (GetFocusItem(row, column)) {
        RaiseEvent(EVENT_OBJECT_FOCUS, row);
    }
}

void UserList::OnKillFocus(HWND) {
    Invalidate();
}

void UserList::OnCancelMode() {
    if (captured_ && GetCapture() == Window()) {
        ReleaseCapture();
    }
    HideTitleTip();
    pressedColumn_ = -1;
    // Without the capture no release will come: a drag ends here, or its
    // timers would go on selecting and resizing with the button up.
    EndDrags();
    Invalidate();
}

LRESULT UserList::OnGetDlgCode(const MSG* key) {
    LRESULT result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    // The dialog asks with the message it is about to handle.
    if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
        KeyState state;
        state.key = ListKey::Tab;
        state.control = GetKeyState(VK_CONTROL) < 0;
        state.shift = GetKeyState(VK_SHIFT) < 0;
        GetFocusItem(state.focusItem, state.focusColumn);
        state.columns = columns_;
        state.focusCell = options_.focusCell;
        if (KeepsTab(state)) {
            result |= DLGC_WANTTAB;
        }
    }
    return result;
}

void UserList::OnUpdateUiState() {
    Invalidate();  // the focus rectangle may come or go; the previous procedure keeps the state
}

void UserList::RelayToToolTip(const WindowMessage& message) {
    if (toolTip_) {
        MSG relayed{};
        relayed.hwnd = Window();
        relayed.message = message.id;
        relayed.wParam = message.wParam;
        relayed.lParam = message.lParam;
        relayed.time = static_cast<DWORD>(GetMessageTime());
        const DWORD position = GetMessagePos();
        relayed.pt = {static_cast<SHORT>(LOWORD(position)), static_cast<SHORT>(HIWORD(position))};
        SendMessageW(toolTip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
}

void UserList::OnSettingsChange() {
    RefreshMetrics();
    ResetScrollBars(ScrollBars::Both, -1, false);
    Invalidate();
}

void UserList::OnSysKeyDown() {
    CloseTitleTip();  // menus and Alt keys as usual
}

std::optional<LRESULT> UserList::OnTimer(UINT_PTR timer) {
    switch (timer) {
        case kResizeShrinkTimer:
            ResizeTick();
            return 0;
        case kEditDelayTimer: {
            KillTimer(Window(), kEditDelayTimer);
            int32_t row = -1;
            int32_t column = -1;
            if (GetFocusItem(row, column)) {
                EditItem(row, column);
            }
            return 0;
        }
        case kRubberBandTimer:
            RubberBandTick();
            return 0;
        case kScrollAnimationTimer:
            AnimationTick();
            return 0;
        default:
            return std::nullopt;
    }
}

LRESULT UserList::OnSetRedraw(bool redraw) {
    // The system stops or starts drawing the window (and validates it when
    // drawing stops).
    const LRESULT result = CallPrevious();
    const bool resumed = redraw && !redraw_;
    redraw_ = redraw;
    if (resumed) {
        // What changed meanwhile, at once: the bars and one paint.
        ResetScrollBars(ScrollBars::Both, -1, true);
        RedrawWindow(Window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    return result;
}

namespace {

// The child a message from a child window is about, or null.
HWND ReflectionTarget(HWND window, const WindowMessage& message) {
    switch (message.id) {
        case WM_COMMAND:
            return reinterpret_cast<HWND>(message.lParam);  // null for menus and accelerators
        case WM_NOTIFY:
            return reinterpret_cast<const NMHDR*>(message.lParam)->hwndFrom;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.lParam);
            return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
        }
        case WM_MEASUREITEM: {
            const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.lParam);
            return item->CtlType == ODT_MENU ? nullptr
                                             : GetDlgItem(window, static_cast<int>(item->CtlID));
        }
        case WM_DELETEITEM:
            return reinterpret_cast<const DELETEITEMSTRUCT*>(message.lParam)->hwndItem;
        case WM_COMPAREITEM:
            return reinterpret_cast<const COMPAREITEMSTRUCT*>(message.lParam)->hwndItem;
        case WM_PARENTNOTIFY: {
            const UINT event = LOWORD(message.wParam);
            if (event == WM_CREATE || event == WM_DESTROY) {
                return reinterpret_cast<HWND>(message.lParam);
            }
            return GetDlgItem(window, HIWORD(message.wParam));
        }
        default:  // WM_VKEYTOITEM, WM_CHARTOITEM and the WM_CTLCOLOR messages
            return reinterpret_cast<HWND>(message.lParam);
    }
}

}  // namespace

std::optional<LRESULT> UserList::OnReflect(const WindowMessage& message) {
    if (message.id != WM_PARENTNOTIFY && message.id != WM_COMMAND && message.lParam == 0) {
        return std::nullopt;
    }
    HWND child = ReflectionTarget(Window(), message);
    if (child == nullptr || !IsChild(Window(), child)) {
        return std::nullopt;
    }
    return SendMessageW(child, message.id + kReflectedMessageOffset, message.wParam,
                        message.lParam);
}
