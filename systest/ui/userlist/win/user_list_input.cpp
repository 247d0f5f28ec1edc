// What the user does to the list. The mouse: clicks select and sort, drags
// resize columns or pull a rubber band, the hot cell follows the mouse, and
// the item tool tip and title tip are offered on the way. The keyboard: the
// focus moves by rows, pages and cells, the selection follows (or extends with
// Shift), Space toggles check cells, Ctrl+A selects every row, Ctrl+C and
// Ctrl+Insert copy the selected ones, and letters search the rows. The scroll
// bars and the wheel. The in-place editors, and the context menu.
//
// The rules are platform-free (list_keys.h, rubber_band.h, column_resize.h,
// list_scrolling.h, title_tip_layout.h, list_copy.h); this file carries them out.
#include "systest/ui/userlist/win/user_list.h"

#include "common/text.h"
#include "common/win/clipboard.h"
#include "common/win/handles.h"
#include "common/win/wide.h"
#include "systest/ui/userlist/list_copy.h"
#include "systest/ui/userlist/title_tip_layout.h"
#include "systest/ui/userlist/win/cell_date_format.h"
#include "systest/ui/userlist/win/user_list_notify.h"
#include "systest/ui/userlist/win/user_list_timers.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace {

// The item tool tip's only tool.
constexpr UINT_PTR kItemToolId = 1000;
constexpr size_t kToolTipMaxLength = 32767;
// A rubber band scrolls at most this often (milliseconds).
constexpr DWORD kAutoScrollInterval = 10;

bool ShiftOrControl(WPARAM keys) {
    return (keys & (MK_SHIFT | MK_CONTROL)) != 0;
}

ListKey ToListKey(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_TAB:
            return ListKey::Tab;
        case VK_PRIOR:
            return ListKey::PageUp;
        case VK_NEXT:
            return ListKey::PageDown;
        case VK_END:
            return ListKey::End;
        case VK_HOME:
            return ListKey::Home;
        case VK_LEFT:
            return ListKey::Left;
        case VK_UP:
            return ListKey::Up;
        case VK_RIGHT:
            return ListKey::Right;
        case VK_DOWN:
            return ListKey::Down;
        case VK_SPACE:
            return ListKey::Space;
        case VK_INSERT:
            return ListKey::Insert;
        default:
            // The virtual-key codes of the letters are their upper-case characters.
            return virtualKey >= 'A' && virtualKey <= 'Z' ? ListKey::Letter : ListKey::Other;
    }
}

bool IsDown(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

// The commands of the menu, as TrackPopupMenu returns them; 0 is none.
constexpr UINT kCopyCommand = 1;
constexpr UINT kSelectAllCommand = 2;

}  // namespace

// The mouse.

void UserList::OnLButtonDown(UINT keys, POINT point) {
    const ListPoint mouse{point.x, point.y};
    CloseTitleTip();
    captured_ = true;
    pressClient_ = mouse;
    pressContent_ = {mouse.x + ScrollPosition(SB_HORZ), mouse.y + ScrollPosition(SB_VERT)};
    StopScrollAnimation();
    SetFocus(Window());
    SetCapture(Window());

    int32_t column = -1;
    uint32_t flags = 0;
    if (HitTestHeader(mouse.x, mouse.y, column, flags)) {
        if (!columns_[static_cast<size_t>(column)].fixedWidth && (flags & HeaderOnDivider)) {
            SetCursor(images_.resize.get());
            POINT screen{mouse.x, mouse.y};
            ClientToScreen(Window(), &screen);
            resize_.Begin(column, GetColumnWidth(column), screen.x);
        } else {
            pressedColumn_ = column;
            InvalidateHeader();
        }
        return;
    }
    int32_t row = -1;
    if (!HitTest(mouse.x, mouse.y, row, column)) {
        selection_.SetAnchor(-1);
        return;
    }
    if (!ShiftOrControl(keys) && column != 0) {
        selection_.SetAnchor(row);
    }
    // A plain press on a row of a multiple selection keeps the selection
    // until the release, so the rows can still be dragged over.
    if (ShiftOrControl(keys) || !IsSelected(row) || selection_.Rows().size() < 2) {
        SelectItem(row, column, keys);
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    if (record.flags & ReadOnly) {
        return;
    }
    if (record.format == FormatCheck || record.format == FormatTriState) {
        ToggleCheck(row, column);
    } else if (record.format == FormatLink) {
        SetCursor(images_.link.get());
        Notify(ULN_LINKCLICK, row, column);
    }
}

void UserList::OnMouseMove(UINT keys, POINT point) {
    const ListPoint mouse{point.x, point.y};
    if (!(keys & MK_LBUTTON)) {
        if (captured_ && GetCapture() == Window()) {
            ReleaseCapture();
        }
        captured_ = false;
    }
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Window(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }

    if (captured_) {
        if (resize_.Active()) {
            POINT screen{mouse.x, mouse.y};
            ClientToScreen(Window(), &screen);
            ResizeTo(screen.x);
            return;
        }
        if (pressedColumn_ != -1) {
            return;  // a header press sorts at the release; it drags nothing
        }
        const bool moved = std::abs(mouse.x - pressClient_.x) > kRubberBandThreshold ||
                           std::abs(mouse.y - pressClient_.y) > kRubberBandThreshold;
        if (moved && !options_.singleSelect && !editing_) {
            rubberBand_ = true;
        }
        if (rubberBand_) {
            UpdateRubberBand(mouse);
        }
        return;
    }

    int32_t row = -1;
    int32_t column = -1;
    uint32_t flags = 0;
    if (HitTestHeader(mouse.x, mouse.y, column, flags)) {
        HideTitleTip();
        if (!columns_[static_cast<size_t>(column)].fixedWidth && (flags & HeaderOnDivider)) {
            SetCursor(images_.resize.get());
        }
        return;
    }
    if (HitTest(mouse.x, mouse.y, row, column)) {
        TrackHotCell(row, column);
        UpdateItemToolTip(row);
        TryTitleTip(mouse, row, column);
        return;
    }
    TrackHotCell(-1, -1);
    RemoveItemToolTip();
    HideTitleTip();
}

bool UserList::IsLinkCell(int32_t column) const {
    if (column < 0 || column >= GetColumnCount()) {
        return false;
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    return record.format == FormatLink && !(record.flags & ReadOnly);
}

void UserList::TrackHotCell(int32_t row, int32_t column) {
    if (row != hotItem_ || column != hotColumn_) {
        if (IsLinkCell(hotColumn_)) {
            InvalidateItem(hotItem_, hotColumn_);
        }
        hotItem_ = row;
        hotColumn_ = column;
        if (IsLinkCell(column)) {
            InvalidateItem(row, column);
        }
    }
    if (IsLinkCell(column)) {
        SetCursor(images_.link.get());
    }
}

void UserList::UpdateItemToolTip(int32_t row) {
    std::u16string text = rows_.ItemToolTip(row);
    RECT rect{};
    if (!toolTip_ || text.empty() || !GetItemRect(row, -1, rect)) {
        RemoveItemToolTip();
        return;
    }
    if (text.size() > kToolTipMaxLength) {
        text.resize(kToolTipMaxLength);
    }
    TOOLINFOW tool{};
    // The size every comctl32 version since 4.70 accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRANSPARENT;
    tool.hwnd = Window();
    tool.uId = kItemToolId;
    tool.rect = rect;
    tool.lpszText = const_cast<wchar_t*>(WideCStr(text));
    SendMessageW(toolTip_.get(), TTM_ACTIVATE, TRUE, 0);
    if (toolTipRow_ == row) {
        // Moving within the row keeps a shown tip; the row may have scrolled.
        SendMessageW(toolTip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageW(toolTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    SendMessageW(toolTip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(toolTip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    toolTipRow_ = row;
}

void UserList::RemoveItemToolTip() {
    if (!toolTip_) {
        return;
    }
    SendMessageW(toolTip_.get(), TTM_ACTIVATE, FALSE, 0);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = Window();
    tool.uId = kItemToolId;
    SendMessageW(toolTip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    toolTipRow_ = -1;
}

// Divider drags.

ResizeView UserList::CurrentResizeView() const {
    ResizeView view;
    view.horzBarShown = horzBarShown_;
    view.scrollX = ScrollPosition(SB_HORZ);
    view.maxScrollX = totalWidth_ - 1 - ClientWidth();
    view.currentWidth = GetColumnWidth(resize_.Column());
    return view;
}

void UserList::ApplyResizeStep(const ResizeStep& step) {
    if (step.startTimer) {
        SetTimer(Window(), kResizeShrinkTimer, kResizeShrinkPeriod, nullptr);
    }
    if (step.stopTimer) {
        KillTimer(Window(), kResizeShrinkTimer);
    }
    if (step.setWidth) {
        SetColumnWidth(resize_.Column(), step.width);
    }
}

void UserList::ResizeTo(int32_t screenX) {
    HideTitleTip();
    ApplyResizeStep(resize_.Move(screenX, CurrentResizeView()));
}

void UserList::ResizeTick() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ApplyResizeStep(resize_.Tick(cursor.x, CurrentResizeView()));
}

void UserList::EndDrags() {
    captured_ = false;
    resize_.End();
    KillTimer(Window(), kResizeShrinkTimer);
    rubberBand_ = false;
    KillTimer(Window(), kRubberBandTimer);
}

// The rubber band.

void UserList::UpdateRubberBand(ListPoint mouse) {
    HideTitleTip();
    rubberBandRect_ = RubberBandRect(pressContent_, mouse, Geometry());
    if (rubberBandRect_.IsEmpty()) {
        return;
    }
    const RowRange rows = RubberBandRows(rubberBandRect_, Geometry());
    const ListSelection before = selection_;
    selection_.SelectBand(rows.first, rows.last);
    AnnounceSelection(before);
    SetTimer(Window(), kRubberBandTimer, kRubberBandPeriod, nullptr);
    const DWORD now = GetTickCount();
    if (now - lastAutoScroll_ > kAutoScrollInterval && AutoScrollRubberBand(mouse)) {
        lastAutoScroll_ = now;
    }
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool UserList::AutoScrollRubberBand(ListPoint mouse) {
    const AutoScrollNeeds needs = RubberBandAutoScroll(mouse, Geometry());
    bool moved = false;
    const auto scroll = [&](bool needed, UINT message, WPARAM code, int bar, AutoScroll direction) {
        if (!needed) {
            return;
        }
        const int32_t before = ScrollPosition(bar);
        SendMessageW(Window(), message, code, 0);
        const int32_t after = ScrollPosition(bar);
        if (after != before) {
            rubberBandRect_ = BandAfterAutoScroll(rubberBandRect_, pressContent_, mouse, direction,
                                                  after, Geometry());
            moved = true;
        }
    };
    scroll(needs.up, WM_VSCROLL, SB_LINEUP, SB_VERT, AutoScroll::Up);
    scroll(needs.down, WM_VSCROLL, SB_LINEDOWN, SB_VERT, AutoScroll::Down);
    scroll(needs.left, WM_HSCROLL, SB_LINELEFT, SB_HORZ, AutoScroll::Left);
    scroll(needs.right, WM_HSCROLL, SB_LINERIGHT, SB_HORZ, AutoScroll::Right);
    return moved;
}

void UserList::RubberBandTick() {
    if (!rubberBand_) {
        KillTimer(Window(), kRubberBandTimer);
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Window(), &cursor);
    UpdateRubberBand({cursor.x, cursor.y});
}

// Releases, double clicks, the right button and leaving.

void UserList::OnLButtonUp(UINT keys, POINT point) {
    const ListPoint mouse{point.x, point.y};
    if (captured_ && GetCapture() == Window()) {
        ReleaseCapture();
    }
    if (!resize_.Active() && pressedColumn_ != -1) {
        SortColumn(pressedColumn_);  // wherever the button comes up
    }
    if (resize_.Active() || pressedColumn_ != -1) {
        resize_.End();
        KillTimer(Window(), kResizeShrinkTimer);
        pressedColumn_ = -1;
        InvalidateHeader();
    }
    captured_ = false;
    pressClient_ = {};
    pressContent_ = {};
    if (rubberBand_) {
        rubberBand_ = false;
        KillTimer(Window(), kRubberBandTimer);
        Invalidate();
        return;
    }
    int32_t row = -1;
    int32_t column = -1;
    if (HitTest(mouse.x, mouse.y, row, column) && IsSelected(row) && selection_.Rows().size() > 1 &&
        !ShiftOrControl(keys)) {
        SelectItem(row, column, keys);
    }
    Notify(ULN_LEFTCLICK, row, column);
}

void UserList::OnLButtonDblClk(UINT, POINT point) {
    const ListPoint mouse{point.x, point.y};
    CloseTitleTip();
    SendMessageW(Window(), WM_LBUTTONDOWN, 0, MAKELPARAM(point.x, point.y));
    int32_t column = -1;
    uint32_t flags = 0;
    if (HitTestHeader(mouse.x, mouse.y, column, flags) && (flags & HeaderOnDivider) &&
        AutoSizeColumn(column) && resize_.Active()) {
        // The press above started a drag of this divider; it goes on from
        // the new width, or the next move would undo the auto-size.
        POINT screen{mouse.x, mouse.y};
        ClientToScreen(Window(), &screen);
        resize_.Begin(column, GetColumnWidth(column), screen.x);
    }
    int32_t row = -1;
    column = -1;
    HitTest(mouse.x, mouse.y, row, column);
    Notify(ULN_DOUBLECLICK, row, column);
}

void UserList::OnRButtonDown(UINT keys, POINT point) {
    const ListPoint mouse{point.x, point.y};
    StopScrollAnimation();
    SetFocus(Window());
    CloseTitleTip();
    int32_t row = -1;
    int32_t column = -1;
    if (HitTest(mouse.x, mouse.y, row, column) && !IsSelected(row)) {
        SelectItem(row, column, keys);
    }
}

void UserList::OnRButtonUp(UINT, POINT point) {
    const ListPoint mouse{point.x, point.y};
    int32_t row = -1;
    int32_t column = -1;
    if (!HitTest(mouse.x, mouse.y, row, column)) {
        ClearSelection();
    }
    Notify(ULN_RIGHTCLICK, row, column);
}

void UserList::OnMouseLeave() {
    trackingLeave_ = false;
    if (hotItem_ != -1 || hotColumn_ != -1) {
        hotItem_ = -1;
        hotColumn_ = -1;
        Invalidate();
    }
}

// The keyboard.

std::optional<LRESULT> UserList::OnKeyDown(UINT key) {
    StopScrollAnimation();
    KeyState state;
    state.key = ToListKey(key);
    state.letter = static_cast<char16_t>(key);
    state.control = IsDown(VK_CONTROL);
    state.shift = IsDown(VK_SHIFT);
    GetFocusItem(state.focusItem, state.focusColumn);
    state.rowCount = rows_.ItemCount();
    state.columns = columns_;
    const ListGeometry geometry = Geometry();
    state.fullRows = geometry.rowHeight > 0
                         ? (geometry.clientHeight - geometry.RowsTop()) / geometry.rowHeight
                         : 0;
    state.focusCell = options_.focusCell;
    state.singleSelect = options_.singleSelect;
    state.scrollX = geometry.scrollX;
    state.totalWidth = totalWidth_;

    const KeyPlan plan = PlanKey(state);
    if (SendMessageW(Window(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) {
        // The keyboard is in use: the focus rectangle shows from now on.
        SendMessageW(Window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    const ListSelection before = selection_;
    switch (plan.action) {
        case KeyAction::MoveFocus:
            selection_.MoveFocus(plan.row, plan.column);
            EnsureItemVisible(plan.row, plan.column);
            break;
        case KeyAction::ScrollHorizontally:
            SetScrollPos(Window(), SB_HORZ, plan.scrollX, TRUE);
            Invalidate();
            break;
        case KeyAction::ToggleCheck:
            ToggleCheck(plan.row, plan.column);
            break;
        case KeyAction::SelectAll:
            SelectAll();
            break;
        case KeyAction::Copy:
            CopySelection();
            break;
        case KeyAction::TypeAhead:
            TypeAhead(state.letter, state.focusItem, state.focusColumn);
            break;
        case KeyAction::None:
            break;
    }
    if (plan.action == KeyAction::MoveFocus) {
        AnnounceSelection(before);  // the other selections tell their own
    }
    if (plan.select) {
        SelectItem(plan.row, plan.column, plan.extend ? MK_SHIFT : 0);
    }
    if (plan.action == KeyAction::None && !plan.select) {
        return std::nullopt;  // not a key of the list: the previous procedure has it
    }
    return 0;
}

void UserList::TypeAhead(char16_t letter, int32_t focusItem, int32_t focusColumn) {
    // The sorted column, or the first before any sort.
    const int32_t subItem = GetColumnSubItem(sortSubItem_ >= 0 ? sortSubItem_ : 0);
    const int32_t row = typeAhead_.Type(letter, GetTickCount(), focusItem, rows_, subItem);
    if (row >= 0) {
        SelectItem(row, focusColumn, MK_LBUTTON);
        EnsureItemVisible(row, focusColumn);
    }
}

// Scroll bars and the wheel.

// The scroll codes are the SB_ values.
static_assert(static_cast<int>(ScrollCode::LineUp) == SB_LINEUP);
static_assert(static_cast<int>(ScrollCode::LineDown) == SB_LINERIGHT);
static_assert(static_cast<int>(ScrollCode::PageDown) == SB_PAGEDOWN);
static_assert(static_cast<int>(ScrollCode::ThumbTrack) == SB_THUMBTRACK);
static_assert(static_cast<int>(ScrollCode::Bottom) == SB_RIGHT);
static_assert(static_cast<int>(ScrollCode::EndScroll) == SB_ENDSCROLL);

int32_t UserList::TrackPosition(int bar, WORD position) const {
    // The message carries 16 bits of the position; the bar has all 32 while
    // the thumb is dragged. A message sent by a program carries its own.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(Window(), bar, &info);
    return LOWORD(info.nTrackPos) == position ? info.nTrackPos : position;
}

void UserList::OnVScroll(WORD request, WORD position) {
    EndEdit();
    HideTitleTip();
    const auto code = static_cast<ScrollCode>(request);
    if (code == ScrollCode::EndScroll) {
        animating_ = false;
        return;
    }
    const ListGeometry geometry = Geometry();
    VerticalScrollState state;
    state.position = geometry.scrollY;
    state.rowHeight = rowHeight_;
    state.pageHeight = geometry.clientHeight - geometry.RowsTop();
    state.rowCount = geometry.rowCount;
    state.trackPosition = TrackPosition(SB_VERT, position);
    state.smoothScroll = options_.smoothScroll;
    const ScrollTarget target = VerticalScrollTarget(code, state);
    if (!target.move) {
        return;
    }
    const int32_t oldFirstRow = geometry.FirstVisibleRow();
    ResetScrollBars(ScrollBars::Vertical, target.position, false);  // the bar limits it
    const int32_t newFirstRow = Geometry().FirstVisibleRow();
    if (!target.animated || animating_) {
        // A second scroll while one slides jumps straight to the end.
        StopScrollAnimation();
    } else {
        animating_ = StartScrollAnimation(oldFirstRow, newFirstRow);
        if (!animating_) {
            Invalidate();  // no slide (no GDI memory for it): the paint shows the position
        }
    }
}

void UserList::OnHScroll(WORD request, WORD position) {
    StopScrollAnimation();
    EndEdit();
    HideTitleTip();
    HorizontalScrollState state;
    state.position = ScrollPosition(SB_HORZ);
    state.totalWidth = totalWidth_;
    state.clientWidth = ClientWidth();
    state.trackPosition = TrackPosition(SB_HORZ, position);
    const ScrollTarget target = HorizontalScrollTarget(static_cast<ScrollCode>(request), state);
    if (target.move) {
        ResetScrollBars(ScrollBars::Horizontal, target.position, false);
        Invalidate();
    }
}

void UserList::OnMouseWheel(short delta) {
    HideTitleTip();
    EndEdit();
    const int32_t position = WheelScrollPosition(ScrollPosition(SB_VERT), wheelLines_, delta,
                                                 rowHeight_, GetVisibleRowCount(false));
    ResetScrollBars(ScrollBars::Vertical, position, false);
    Invalidate();
}

// Editors and title tips.

bool UserList::OpenEditor(int32_t row, int32_t column, const RECT& cell) {
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    if (record.format == FormatEdit) {
        return cellEdit_.Open(Window(), row, column, record.flags, cell,
                              ToWide(rows_.ItemText(row, record.subItem)));
    }
    CellDate date;  // all zero for an empty cell
    rows_.ItemDate(row, record.subItem, date);
    return cellDate_.Open(Window(), row, column, record.flags, cell, ToSystemTime(date));
}

void UserList::EndEdit() {
    if (editing_ && Window() != nullptr) {
        SetFocus(Window());  // the editor commits when it loses the focus
    }
}

std::optional<LRESULT> UserList::OnNotify(const NMHDR* header) {
    if (header == nullptr || header->code != ULN_ENDEDIT) {
        return OnReflect(CurrentMessage());  // other notifications go back to their child
    }
    OnEndEdit(*reinterpret_cast<const UserListNotify*>(header));
    return 0;
}

void UserList::OnEndEdit(const UserListNotify& notify) {
    // Only the list's own editors end edits.
    if (notify.hdr.hwndFrom == nullptr ||
        (notify.hdr.hwndFrom != cellEdit_.Window() && notify.hdr.hwndFrom != cellDate_.Window())) {
        return;
    }
    editing_ = false;
    const int32_t row = notify.item;
    const int32_t column = notify.subItem;  // the editors send column indexes
    if (row < 0 || row >= rows_.ItemCount() || column < 0 || column >= GetColumnCount()) {
        return;
    }
    // Escape commits nothing; an editor whose value the user did not change
    // sends no text, and the cell stays as it was.
    if (notify.key != VK_ESCAPE && notify.text != nullptr) {
        const int32_t subItem = GetColumnSubItem(column);
        if (notify.value != nullptr) {
            // "1" when the picker has a value, "0" when the user cleared it.
            const bool chosen = ParseLeadingInt(FromWide(notify.text)) != 0;
            StoreCellValue(row, subItem,
                           chosen ? CellDateText(FromSystemTime(*notify.value)) : u"");
        } else {
            StoreCellValue(row, subItem, FromWide(notify.text));
        }
        Notify(ULN_MODIFIED, row, column);
    }
    if (notify.key == VK_TAB) {
        PostMessageW(Window(), WM_KEYDOWN, VK_TAB, 0);  // on to the next cell
    }
    InvalidateItem(row, -1);
}

void UserList::CloseTitleTip() {
    titleTip_.Close();
}

void UserList::HideTitleTip() {
    tipItem_ = -1;
    tipColumn_ = -1;
    titleTip_.Close();
}

void UserList::TryTitleTip(ListPoint mouse, int32_t row, int32_t column) {
    if (editing_ || (row == tipItem_ && column == tipColumn_)) {
        return;
    }
    RECT cell{};
    if (!GetItemRect(row, column, cell)) {
        HideTitleTip();
        return;
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    const bool hasImage = rowImages_ && rows_.ItemImage(row, record.subItem) != kNoRowImage;
    const ListRect text = TitleTipTextRect({cell.left, cell.top, cell.right, cell.bottom}, column,
                                           hasImage, metrics_);
    if (mouse.x < text.left || mouse.x >= text.right || mouse.y < text.top ||
        mouse.y >= text.bottom) {
        return;
    }
    std::wstring tipText;
    const std::u16string value = rows_.ItemText(row, record.subItem);
    switch (record.format) {
        case FormatDate: {
            CellDate date;
            if (!value.empty() && rows_.ItemDate(row, record.subItem, date)) {
                tipText = FormatCellDate(date, record.flags);
            }
            break;
        }
        case FormatCheck:
        case FormatTriState:
        case FormatProgress:
            break;
        default:
            tipText = ToWide(value);
            break;
    }
    // Cells at and right of a cut-off column are not painted: nothing to show.
    const bool painted = std::none_of(columns_.begin(), columns_.begin() + column + 1,
                                      [](const ListColumn& c) { return c.format == FormatCutOff; });
    if (painted && !tipText.empty()) {
        RECT area{text.left, text.top, text.right, text.bottom};
        MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&area), 2);
        if (titleTip_.Show(area, tipText)) {
            tipItem_ = row;
            tipColumn_ = column;
            return;
        }
    }
    HideTitleTip();
}

// The context menu and the clipboard.

bool UserList::CopySelection() {
    const std::u16string text = CopiedRowsText(
        columns_, selection_.Rows(), rows_.ItemCount(),
        [&](int32_t row, const ListColumn& column) { return ShownText(row, column); });
    return !text.empty() && PutTextOnClipboard(Window(), ToWide(text));
}

POINT UserList::KeyboardMenuPoint() const {
    const ListGeometry geometry = Geometry();
    POINT point{0, geometry.RowsTop()};
    int32_t row = -1;
    int32_t column = -1;
    RECT rect{};
    if (GetFocusItem(row, column) && GetRowRect(row, rect) && rect.bottom > geometry.RowsTop() &&
        rect.bottom <= geometry.clientHeight) {
        point = {std::max<LONG>(rect.left, 0), rect.bottom};
    }
    ClientToScreen(Window(), &point);
    return point;
}

std::optional<LRESULT> UserList::OnContextMenu(HWND, POINT screen) {
    const bool fromKeyboard = screen.x == -1 && screen.y == -1;
    if (menuTexts_.copy.empty() || menuTexts_.selectAll.empty()) {
        return std::nullopt;  // the parent may have a menu
    }
    if (!fromKeyboard) {
        // Over the scroll bars the system offers its own scrolling menu.
        POINT client = screen;
        ScreenToClient(Window(), &client);
        RECT area{};
        GetClientRect(Window(), &area);
        if (!PtInRect(&area, client)) {
            return std::nullopt;
        }
    }
    StopScrollAnimation();
    CloseTitleTip();
    const UniqueMenu menu(CreatePopupMenu());
    if (!menu) {
        return 0;
    }
    const bool anySelected = !selection_.Rows().empty();
    const bool anyRow = rows_.ItemCount() > 0 && !options_.singleSelect;
    AppendMenuW(menu.get(), MF_STRING | (anySelected ? MF_ENABLED : MF_GRAYED), kCopyCommand,
                WideCStr(menuTexts_.copy));
    AppendMenuW(menu.get(), MF_STRING | (anyRow ? MF_ENABLED : MF_GRAYED), kSelectAllCommand,
                WideCStr(menuTexts_.selectAll));
    const POINT at = fromKeyboard ? KeyboardMenuPoint() : screen;
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON,
                                         at.x, at.y, 0, Window(), nullptr));
    if (command == kCopyCommand) {
        CopySelection();
    } else if (command == kSelectAllCommand) {
        SelectAll();
    }
    return 0;
}
