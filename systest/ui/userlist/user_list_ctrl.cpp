#include "systest/ui/userlist/user_list_ctrl.h"

#include "common/win/screen_dpi.h"
#include "common/win/wait_cursor.h"
#include "systest/ui/userlist/auto_size.h"
#include "systest/ui/userlist/list_keys.h"
#include "systest/ui/userlist/user_list_class.h"
#include "systest/ui/userlist/user_list_notify.h"
#include "systest/ui/userlist/user_list_timers.h"

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

}  // namespace

// What no row takes goes to the previous procedure (DefWindowProcW, which also
// sets the class's arrow cursor on WM_SETCURSOR; the mouse handlers set the
// resize and link cursors again on each move). The editors' WM_CTLCOLOREDIT
// and WM_CTLCOLORLISTBOX go there too: they are drawn in the system's colours.
constexpr MessageRow<UserListCtrl> UserListCtrl::kMessages[] = {
    Handle<WM_CREATE, &UserListCtrl::OnCreate>(),
    Observe<WM_DESTROY, &UserListCtrl::OnDestroy>(),
    Handle<WM_SIZE, &UserListCtrl::OnSize>(),
    Handle<WM_SETFOCUS, &UserListCtrl::OnSetFocus>(),
    Handle<WM_KILLFOCUS, &UserListCtrl::OnKillFocus>(),
    Handle<WM_CANCELMODE, &UserListCtrl::OnCancelMode>(),
    Handle<WM_GETDLGCODE, &UserListCtrl::OnGetDlgCode>(),
    Handle<WM_GETOBJECT, &UserListCtrl::OnGetObject>(),
    Observe<WM_UPDATEUISTATE, &UserListCtrl::OnUpdateUiState>(),
    Handle<WM_HSCROLL, &UserListCtrl::OnHScroll>(),
    Handle<WM_VSCROLL, &UserListCtrl::OnVScroll>(),
    Handle<WM_SYSCOLORCHANGE, &UserListCtrl::OnSettingsChange>(),
    Handle<WM_SETTINGCHANGE, &UserListCtrl::OnSettingsChange>(),
    Handle<WM_FONTCHANGE, &UserListCtrl::OnSettingsChange>(),
    Handle<WM_KEYDOWN, &UserListCtrl::OnKeyDown>(),
    Observe<WM_SYSKEYDOWN, &UserListCtrl::OnSysKeyDown>(),
    Handle<WM_TIMER, &UserListCtrl::OnTimer>(),
    Handle<WM_MOUSEMOVE, &UserListCtrl::OnMouseMove>(),
    Handle<WM_LBUTTONDOWN, &UserListCtrl::OnLButtonDown>(),
    Handle<WM_LBUTTONUP, &UserListCtrl::OnLButtonUp>(),
    Handle<WM_LBUTTONDBLCLK, &UserListCtrl::OnLButtonDblClk>(),
    Handle<WM_RBUTTONDOWN, &UserListCtrl::OnRButtonDown>(),
    // DefWindowProcW turns the release into WM_CONTEXTMENU.
    Observe<WM_RBUTTONUP, &UserListCtrl::OnRButtonUp>(),
    Handle<WM_CONTEXTMENU, &UserListCtrl::OnContextMenu>(),
    Handle<WM_MOUSELEAVE, &UserListCtrl::OnMouseLeave>(),
    Handle<WM_MOUSEWHEEL, &UserListCtrl::OnMouseWheel>(),
    Handle<WM_ERASEBKGND, &UserListCtrl::OnEraseBackground>(),
    Handle<WM_PAINT, &UserListCtrl::OnPaint>(),
    Handle<WM_PRINTCLIENT, &UserListCtrl::OnPrintClient>(),
    Handle<WM_SETREDRAW, &UserListCtrl::OnSetRedraw>(),
    Handle<WM_NOTIFY, &UserListCtrl::OnNotify>(),
    // What child windows send their parent goes back to the child (below).
    HandleAsItCame<WM_COMMAND, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_DRAWITEM, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_MEASUREITEM, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_DELETEITEM, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_VKEYTOITEM, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_CHARTOITEM, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_COMPAREITEM, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_CTLCOLORMSGBOX, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_CTLCOLORBTN, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_CTLCOLORDLG, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_CTLCOLORSCROLLBAR, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_CTLCOLORSTATIC, &UserListCtrl::OnReflect>(),
    HandleAsItCame<WM_PARENTNOTIFY, &UserListCtrl::OnReflect>(),
};

UserListCtrl::~UserListCtrl() {
    if (Window() != nullptr) {
        for (UINT_PTR timer :
             {kResizeShrinkTimer, kEditDelayTimer, kRubberBandTimer, kScrollAnimationTimer}) {
            KillTimer(Window(), timer);
        }
    }
    DisconnectAccessible();
    // Unbind before the members go: no message may reach a half-destroyed object.
    Detach();
}

HWND UserListCtrl::Create(HWND parent, UINT id, const RECT& rect, const ListResourceIds& resources,
                          DWORD style) {
    resources_ = resources;
    return SubclassedWindow::Create(0, kUserListClassName, nullptr, style, rect, parent, id);
}

LRESULT UserListCtrl::HandleMessage(const WindowMessage& message) {
    static_assert(RowsAreDistinct(kMessages));
    // Every mouse message reaches the item tool tip first.
    if (message.id >= WM_MOUSEFIRST && message.id <= WM_MOUSEWHEEL) {
        RelayToToolTip(message);
    }
    return RouteOrCallPrevious(kMessages, message);
}

bool UserListCtrl::Initialise(const ListResourceIds& resources) {
    resources_ = resources;
    HWND window = Window();
    if (window == nullptr) {
        return false;
    }
    // The DPI is the system's, fixed while the program runs: the images are
    // loaded for it once.
    metrics_ = ListMetricsForDpi(ScreenDpi());
    if (!LoadListImages(GetModuleHandleW(nullptr), resources_, metrics_, images_) ||
        !RefreshMetrics()) {
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

bool UserListCtrl::RefreshMetrics() {
    colours_ = ReadListColours();
    UINT lines = 0;
    if (SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) {
        wheelLines_ = lines;
    }
    // The title tip takes the colours and font of the moment.
    return CreateListFonts(fonts_) && MeasureRowHeight() && titleTip_.Create(Window());
}

bool UserListCtrl::MeasureRowHeight() {
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

bool UserListCtrl::CreateToolTip() {
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

void UserListCtrl::SetOptions(const ListOptions& options) {
    options_ = options;
    ResetScrollBars(ScrollBars::Both, -1, false);
    Invalidate();
}

// Columns.

bool UserListCtrl::AddColumn(const ListColumn& column) {
    try {
        columns_.push_back(PrepareNewColumn(column, metrics_, GetColumnCount()));
    } catch (const std::bad_alloc&) {
        return false;
    }
    ResetScrollBars(ScrollBars::Both, -1, true);
    Invalidate();
    return true;
}

bool UserListCtrl::GetColumn(int32_t column, ListColumn& record) const {
    if (column < 0 || column >= GetColumnCount()) {
        return false;
    }
    record = columns_[static_cast<size_t>(column)];
    return true;
}

int32_t UserListCtrl::GetColumnSubItem(int32_t column) const {
    ListColumn record;
    return GetColumn(column, record) ? record.subItem : 0;
}

int32_t UserListCtrl::FindColumn(int32_t subItem) const {
    for (int32_t i = 0; i < GetColumnCount(); ++i) {
        if (columns_[static_cast<size_t>(i)].subItem == subItem) {
            return i;
        }
    }
    return -1;
}

int32_t UserListCtrl::GetColumnFormat(int32_t column) const {
    ListColumn record;
    return GetColumn(column, record) ? record.format : 0;
}

uint32_t UserListCtrl::GetColumnFlags(int32_t column) const {
    ListColumn record;
    return GetColumn(column, record) ? record.flags : 0;
}

int32_t UserListCtrl::GetColumnWidth(int32_t column) const {
    ListColumn record;
    return GetColumn(column, record) ? record.width : 0;
}

bool UserListCtrl::SetColumnWidth(int32_t column, int32_t width) {
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

bool UserListCtrl::AutoSizeColumn(int32_t column) {
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
    const ListRowStore& rows = Rows();
    for (int32_t row = 0; row < rows.ItemCount(); ++row) {
        CellExtent cell;
        if (!measure(rows.ItemText(row, record.subItem), cell.textWidth)) {
            return false;
        }
        cell.hasImage = rows.ItemImage(row, record.subItem) != -1;
        cells.push_back(cell);
    }
    const int32_t imageWidth = images_.rows ? metrics_.imageSize : 0;
    return SetColumnWidth(column, AutoSizeWidth(titleWidth, cells, imageWidth, metrics_));
}

int32_t UserListCtrl::GetTotalWidth(bool recompute) {
    if (recompute) {
        totalWidth_ = ColumnsTotalWidth(columns_);
    }
    return totalWidth_;
}

// Scrolling and geometry.

int32_t UserListCtrl::ScrollPosition(int bar) const {
    return Window() != nullptr ? GetScrollPos(Window(), bar) : 0;
}

int32_t UserListCtrl::ClientWidth() const {
    RECT client{};
    if (Window() != nullptr) {
        GetClientRect(Window(), &client);
    }
    return client.right;
}

ListGeometry UserListCtrl::Geometry() const {
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
    geometry.rowCount = Rows().ItemCount();
    geometry.totalWidth = totalWidth_;
    return geometry;
}

void UserListCtrl::ResetScrollBars(ScrollBars which, int32_t position, bool recompute) {
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

int32_t UserListCtrl::GetVisibleRowCount(bool partial) const {
    return Geometry().VisibleRowCount(partial);
}

bool UserListCtrl::HitTest(int32_t x, int32_t y, int32_t& row, int32_t& column) const {
    const ListHit hit = Geometry().HitTest(x, y);
    row = hit.row;
    column = hit.column;
    return hit.hit;
}

bool UserListCtrl::HitTestHeader(int32_t x, int32_t y, int32_t& column, uint32_t& flags) const {
    const HeaderHit hit = Geometry().HitTestHeader(x, y);
    column = hit.column;
    flags = hit.flags;
    return hit.hit;
}

bool UserListCtrl::GetColumnRect(int32_t column, RECT& rect) const {
    ListRect result;
    if (!Geometry().ColumnRect(column, result)) {
        return false;
    }
    rect = ToRect(result);
    return true;
}

bool UserListCtrl::GetItemRect(int32_t row, int32_t column, RECT& rect) const {
    ListRect result;
    if (!Geometry().ItemRect(row, column, result)) {
        return false;
    }
    rect = ToRect(result);
    return true;
}

bool UserListCtrl::InvalidateItem(int32_t row, int32_t column) {
    RECT rect;
    if (Window() == nullptr || !GetItemRect(row, column, rect)) {
        return false;
    }
    return InvalidateRect(Window(), &rect, FALSE) != FALSE;
}

bool UserListCtrl::IsItemVisible(int32_t row, int32_t column, bool partial) const {
    return Geometry().IsItemVisible(row, column, partial, options_.focusCell);
}

bool UserListCtrl::EnsureItemVisible(int32_t row, int32_t column) {
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

bool UserListCtrl::GetFocusItem(int32_t& row, int32_t& column) const {
    const FocusedCell focus = selection_.Focus(options_.focusCell);
    row = focus.row;
    column = focus.column;
    return focus.valid;
}

bool UserListCtrl::SelectItem(int32_t row, int32_t column, UINT keys) {
    const int32_t rowCount = Rows().ItemCount();
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

void UserListCtrl::ClearSelection() {
    const ListSelection before = selection_;
    selection_.Clear();
    AnnounceSelection(before);
    Invalidate();
}

bool UserListCtrl::SortColumn(int32_t column) {
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
            Rows().ReverseItems();
        } else {
            sortAscending_ = true;
            sortSubItem_ = subItem;
            Rows().SortItems(subItem, true);
        }
    }
    RaiseEvent(EVENT_OBJECT_REORDER, -1);
    return true;
}

bool UserListCtrl::EditItem(int32_t row, int32_t column) {
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

void UserListCtrl::RowAdded(int32_t row) {
    ResetScrollBars(ScrollBars::Both, -1, true);
    Invalidate();
    RaiseEvent(EVENT_OBJECT_CREATE, row);
}

void UserListCtrl::StoreCellValue(int32_t row, int32_t subItem, const std::u16string& value) {
    const std::u16string name = GetItemSentence(row);
    Rows().SetItemValue(row, subItem, value);
    if (GetItemSentence(row) != name) {
        RaiseEvent(EVENT_OBJECT_NAMECHANGE, row);
    }
}

void UserListCtrl::Invalidate() {
    if (Window() != nullptr && redraw_) {
        InvalidateRect(Window(), nullptr, FALSE);
    }
}

void UserListCtrl::InvalidateHeader() {
    if (Window() != nullptr) {
        const RECT header{0, 0, ClientWidth(), headerHeight_};
        InvalidateRect(Window(), &header, FALSE);
    }
}

void UserListCtrl::Notify(UINT code, int32_t row, int32_t column) {
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

// Messages.

LRESULT UserListCtrl::OnCreate() {
    return Initialise(resources_) ? 0 : -1;
}

void UserListCtrl::OnDestroy() {
    for (UINT_PTR timer :
         {kResizeShrinkTimer, kEditDelayTimer, kRubberBandTimer, kScrollAnimationTimer}) {
        KillTimer(Window(), timer);
    }
    animationPicture_.reset();
    titleTip_.Destroy();
    cellEdit_.Destroy();
    cellDate_.Destroy();
    toolTip_.reset();
    DisconnectAccessible();
}

void UserListCtrl::OnSize() {
    StopScrollAnimation();
    EndEdit();
    ResetScrollBars(ScrollBars::Both, -1, false);
    Invalidate();
}

void UserListCtrl::OnSetFocus(HWND) {
    Invalidate();
    // The system has told screen readers that the list has the focus; which
    // row has it is the list's to tell.
    int32_t row = -1;
    int32_t column = -1;
    if (GetFocusItem(row, column)) {
        RaiseEvent(EVENT_OBJECT_FOCUS, row);
    }
}

void UserListCtrl::OnKillFocus(HWND) {
    Invalidate();
}

void UserListCtrl::OnCancelMode() {
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

LRESULT UserListCtrl::OnGetDlgCode(const MSG* key) {
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

void UserListCtrl::OnUpdateUiState() {
    Invalidate();  // the focus rectangle may come or go; the previous procedure keeps the state
}

void UserListCtrl::RelayToToolTip(const WindowMessage& message) {
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

void UserListCtrl::OnSettingsChange() {
    RefreshMetrics();
    ResetScrollBars(ScrollBars::Both, -1, false);
    Invalidate();
}

void UserListCtrl::OnSysKeyDown() {
    CloseTitleTip();  // menus and Alt keys as usual
}

std::optional<LRESULT> UserListCtrl::OnTimer(UINT_PTR timer) {
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

LRESULT UserListCtrl::OnSetRedraw(bool redraw) {
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

std::optional<LRESULT> UserListCtrl::OnReflect(const WindowMessage& message) {
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
