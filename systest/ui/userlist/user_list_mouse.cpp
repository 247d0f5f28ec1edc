// The list under the mouse: clicks select and sort, drags resize columns or
// pull a rubber band, the hot cell follows the mouse, and the item tool tip
// and title tip are offered on the way.
#include "systest/ui/userlist/user_list_ctrl.h"

#include "systest/ui/userlist/user_list_notify.h"
#include "systest/ui/userlist/user_list_timers.h"

#include "common/win/wide.h"

#include <commctrl.h>
#include <windowsx.h>

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

}  // namespace

void UserListCtrl::OnLButtonDown(UINT keys, POINT point) {
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

void UserListCtrl::ToggleCheck(int32_t row, int32_t column) {
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    StoreCellValue(row, record.subItem,
                   NextCheckValue(record.format, Rows().ItemText(row, record.subItem)));
    Notify(ULN_MODIFIED, row, column);
    InvalidateItem(row, -1);
}

void UserListCtrl::OnMouseMove(UINT keys, POINT point) {
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

bool UserListCtrl::IsLinkCell(int32_t column) const {
    if (column < 0 || column >= GetColumnCount()) {
        return false;
    }
    const ListColumn& record = columns_[static_cast<size_t>(column)];
    return record.format == FormatLink && !(record.flags & ReadOnly);
}

void UserListCtrl::TrackHotCell(int32_t row, int32_t column) {
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

void UserListCtrl::UpdateItemToolTip(int32_t row) {
    std::u16string text = Rows().ItemToolTip(row);
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

void UserListCtrl::RemoveItemToolTip() {
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

ResizeView UserListCtrl::CurrentResizeView() const {
    ResizeView view;
    view.horzBarShown = horzBarShown_;
    view.scrollX = ScrollPosition(SB_HORZ);
    view.maxScrollX = totalWidth_ - 1 - ClientWidth();
    view.currentWidth = GetColumnWidth(resize_.Column());
    return view;
}

void UserListCtrl::ApplyResizeStep(const ResizeStep& step) {
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

void UserListCtrl::ResizeTo(int32_t screenX) {
    HideTitleTip();
    ApplyResizeStep(resize_.Move(screenX, CurrentResizeView()));
}

void UserListCtrl::ResizeTick() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ApplyResizeStep(resize_.Tick(cursor.x, CurrentResizeView()));
}

void UserListCtrl::EndDrags() {
    captured_ = false;
    resize_.End();
    KillTimer(Window(), kResizeShrinkTimer);
    rubberBand_ = false;
    KillTimer(Window(), kRubberBandTimer);
}

// The rubber band.

void UserListCtrl::UpdateRubberBand(ListPoint mouse) {
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

bool UserListCtrl::AutoScrollRubberBand(ListPoint mouse) {
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

void UserListCtrl::RubberBandTick() {
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

void UserListCtrl::OnLButtonUp(UINT keys, POINT point) {
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

void UserListCtrl::OnLButtonDblClk(UINT, POINT point) {
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

void UserListCtrl::OnRButtonDown(UINT keys, POINT point) {
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

void UserListCtrl::OnRButtonUp(UINT, POINT point) {
    const ListPoint mouse{point.x, point.y};
    int32_t row = -1;
    int32_t column = -1;
    if (!HitTest(mouse.x, mouse.y, row, column)) {
        ClearSelection();
    }
    Notify(ULN_RIGHTCLICK, row, column);
}

void UserListCtrl::OnMouseLeave() {
    trackingLeave_ = false;
    if (hotItem_ != -1 || hotColumn_ != -1) {
        hotItem_ = -1;
        hotColumn_ = -1;
        Invalidate();
    }
}
