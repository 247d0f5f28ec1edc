// The list's answers to its scroll bars and the mouse wheel, and the slide
// that plays line and page scrolls: the rows of the old and new view are
// painted once into a picture, and a timer copies it to the window a little
// further along on each tick.
#include "systest/ui/userlist/user_list_ctrl.h"

#include "systest/ui/userlist/list_scrolling.h"
#include "systest/ui/userlist/user_list_timers.h"

// The scroll codes are the SB_ values.
static_assert(static_cast<int>(ScrollCode::LineUp) == SB_LINEUP);
static_assert(static_cast<int>(ScrollCode::LineDown) == SB_LINERIGHT);
static_assert(static_cast<int>(ScrollCode::PageDown) == SB_PAGEDOWN);
static_assert(static_cast<int>(ScrollCode::ThumbTrack) == SB_THUMBTRACK);
static_assert(static_cast<int>(ScrollCode::Bottom) == SB_RIGHT);
static_assert(static_cast<int>(ScrollCode::EndScroll) == SB_ENDSCROLL);

int32_t UserListCtrl::TrackPosition(int bar, WORD position) const {
    // The message carries 16 bits of the position; the bar has all 32 while
    // the thumb is dragged. A message sent by a program carries its own.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(Window(), bar, &info);
    return LOWORD(info.nTrackPos) == position ? info.nTrackPos : position;
}

void UserListCtrl::OnVScroll(WORD request, WORD position) {
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

void UserListCtrl::OnHScroll(WORD request, WORD position) {
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

void UserListCtrl::OnMouseWheel(short delta) {
    HideTitleTip();
    EndEdit();
    const int32_t position = WheelScrollPosition(ScrollPosition(SB_VERT), wheelLines_, delta,
                                                 rowHeight_, GetVisibleRowCount(false));
    ResetScrollBars(ScrollBars::Vertical, position, false);
    Invalidate();
}

bool UserListCtrl::StartScrollAnimation(int32_t fromRow, int32_t toRow) {
    if (!animation_.Start(fromRow, toRow, rowHeight_, GetVisibleRowCount(true))) {
        return false;
    }
    const int32_t width = ClientWidth();
    const int32_t height = animation_.PictureHeight();
    WindowDc window(Window());
    UniqueCreatedDc memory(window ? CreateCompatibleDC(window.get()) : nullptr);
    UniqueBitmap picture(memory ? CreateCompatibleBitmap(window.get(), width, height) : nullptr);
    if (!picture) {
        return false;  // out of GDI memory: the list simply jumps
    }
    {
        SelectedObject selected(memory.get(), picture.get());
        PaintAnimationPicture(memory.get(), width, height);
    }
    animationPicture_ = std::move(picture);
    ShowAnimationFrame();
    SetTimer(Window(), kScrollAnimationTimer, kScrollAnimationPeriod, nullptr);
    return true;
}

void UserListCtrl::ShowAnimationFrame() {
    const ListGeometry geometry = Geometry();
    WindowDc window(Window());
    UniqueCreatedDc memory(window ? CreateCompatibleDC(window.get()) : nullptr);
    if (!memory || !animationPicture_) {
        return;
    }
    SelectedObject selected(memory.get(), animationPicture_.get());
    // Below the header only: the header stays where it is.
    BitBlt(window.get(), 0, geometry.RowsTop(), geometry.clientWidth,
           geometry.clientHeight - geometry.RowsTop(), memory.get(), 0, animation_.FrameTop(),
           SRCCOPY);
}

void UserListCtrl::AnimationTick() {
    if (!animation_.Advance() || !animationPicture_) {
        StopScrollAnimation();
        return;
    }
    ShowAnimationFrame();
}

void UserListCtrl::StopScrollAnimation() {
    if (Window() == nullptr) {
        return;
    }
    KillTimer(Window(), kScrollAnimationTimer);
    animationPicture_.reset();
    Invalidate();
}
