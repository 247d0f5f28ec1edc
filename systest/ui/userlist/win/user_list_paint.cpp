// How the list looks: everything goes through one off-screen bitmap per paint
// message, so nothing flickers and WM_PRINTCLIENT gets the same picture. And
// the slide that plays line and page scrolls: the rows of the old and new
// view are painted once into a picture, and a timer copies it to the window a
// little further along on each tick.
#include "systest/ui/userlist/win/user_list.h"

#include "common/win/wide.h"
#include "systest/ui/userlist/win/cell_date_format.h"
#include "systest/ui/userlist/win/user_list_timers.h"

#include <commctrl.h>

#include <string>

namespace {

// Header dividers leave this much room above and below, at 96 DPI.
constexpr int kDividerInset = 4;
// Rounded corners of the progress frames, at 96 DPI.
constexpr int kOuterCorner = 5;
constexpr int kInnerCorner = 2;

constexpr UINT kCellTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

RECT ToRect(const ListRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

ListRect FromRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Every solid fill of the list: an opaque ExtTextOut without text, which
// needs no brush.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void FillSolid(HDC dc, const ListRect& rect, COLORREF colour) {
    FillSolid(dc, ToRect(rect), colour);
}

// A one-pixel frame, light along the top and left, dark along the right and bottom.
void Draw3dFrame(HDC dc, int x, int y, int width, int height, COLORREF light, COLORREF dark) {
    FillSolid(dc, RECT{x, y, x + width - 1, y + 1}, light);
    FillSolid(dc, RECT{x, y, x + 1, y + height - 1}, light);
    FillSolid(dc, RECT{x + width - 1, y, x + width, y + height}, dark);
    FillSolid(dc, RECT{x, y + height - 1, x + width, y + height}, dark);
}

void VerticalLine(HDC dc, HPEN pen, int x, int top, int bottom) {
    SelectedObject selected(dc, pen);
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, bottom);
}

UINT AlignmentFormat(uint32_t flags) {
    if (flags & AlignCenter) {
        return DT_CENTER;
    }
    return (flags & AlignRight) ? DT_RIGHT : DT_LEFT;
}

void DrawCellText(HDC dc, const std::wstring& text, const ListRect& rect, uint32_t flags) {
    if (text.empty()) {
        return;
    }
    RECT area = ToRect(rect);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              kCellTextFormat | AlignmentFormat(flags));
}

Rgb ToRgb(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The focused row is framed while the list has the keyboard focus, unless the
// system hides focus rectangles until the keyboard is used.
bool ShowsFocusRectangle(HWND window) {
    return GetFocus() == window &&
           (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

}  // namespace

LRESULT UserList::OnEraseBackground(HDC) {
    return 1;  // the paint covers every pixel
}

void UserList::OnPaint() {
    PaintDc dc(Window());
    PaintBuffered(dc.get(), dc.Area());
}

void UserList::OnPrintClient(HDC dc) {
    RECT client{};
    GetClientRect(Window(), &client);
    PaintBuffered(dc, client);
}

void UserList::PaintBuffered(HDC target, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    UniqueCreatedDc memory(CreateCompatibleDC(target));
    UniqueBitmap bitmap(memory ? CreateCompatibleBitmap(target, width, height) : nullptr);
    if (!bitmap) {
        // Out of GDI memory: paint directly rather than not at all.
        SavedDcState state(target);
        IntersectClipRect(target, area.left, area.top, area.right, area.bottom);
        PaintContent(target);
        return;
    }
    {
        SelectedObject selected(memory.get(), bitmap.get());
        // Client coordinates throughout: the bitmap starts at the area's corner.
        SetViewportOrgEx(memory.get(), -area.left, -area.top, nullptr);
        {
            SavedDcState state(memory.get());
            PaintContent(memory.get());
        }
        BitBlt(target, area.left, area.top, width, height, memory.get(), area.left, area.top,
               SRCCOPY);
    }
}

void UserList::PaintContent(HDC dc) {
    RECT clip{};
    GetClipBox(dc, &clip);
    FillSolid(dc, clip, colours_.window);

    const ListGeometry geometry = Geometry();
    for (const RowToPaint& row : RowsToPaint(geometry, FromRect(clip))) {
        DrawRow(dc, row.row, ToRect(row.rect));
    }
    if (rubberBand_) {
        PaintRubberBand(dc);
    }
    if (options_.showHeader && clip.top < headerHeight_) {
        PaintHeader(dc, clip);
    }
}

void UserList::DrawImage(HIMAGELIST list, int32_t index, HDC dc, const ImagePlacement& place) {
    if (list != nullptr && place.IsVisible()) {
        ImageList_DrawEx(list, index, dc, place.x, place.y, place.width, place.height, CLR_DEFAULT,
                         CLR_DEFAULT, ILD_TRANSPARENT);
    }
}

void UserList::DrawRow(HDC dc, int32_t row, const RECT& rect) {
    SavedDcState state(dc);
    RECT clipBox{};
    GetClipBox(dc, &clipBox);
    const ListRect clip = FromRect(clipBox);
    const bool selected = selection_.IsSelected(row);
    if (selected) {
        FillSolid(dc, rect, colours_.selection);
    }
    int32_t focusRow = -1;
    int32_t focusColumn = -1;
    GetFocusItem(focusRow, focusColumn);
    SetBkMode(dc, TRANSPARENT);

    for (const CellToPaint& cell : CellsToPaint(columns_, FromRect(rect), clip)) {
        const ListColumn& column = columns_[static_cast<size_t>(cell.column)];
        const bool focused = focusRow == row && focusColumn == cell.column;
        if (focused && editing_) {
            FillSolid(dc, cell.rect, colours_.window);
            UniqueBrush frame(CreateSolidBrush(colours_.focusCell));
            const RECT area = ToRect(cell.rect);
            FrameRect(dc, &area, frame.get());
        } else if (focused) {
            FillSolid(dc, cell.rect, colours_.focusCell);
        }

        ListRect text = CellTextRect(cell.rect, cell.column, metrics_);
        const int32_t image = rows_.ItemImage(row, column.subItem);
        if (rowImages_ && image != kNoRowImage && !(focused && editing_)) {
            const bool textEmpty = rows_.ItemText(row, column.subItem).empty();
            DrawImage(rowImages_.get(), image, dc,
                      PlaceRowImage(text, cell.rect, textEmpty, metrics_));
            text.left += metrics_.imageSize + metrics_.Scale(kImageTextGap);
        }
        if (!text.IsEmpty()) {
            PaintCellContent(dc, row, cell.column, cell.rect, text, selected && !focused);
        }
    }
    // In focusCell mode the focused cell shows the focus.
    if (row == focusRow && !options_.focusCell && ShowsFocusRectangle(Window())) {
        DrawFocusRect(dc, &rect);
    }
}

void UserList::PaintCellContent(HDC dc, int32_t row, int32_t columnIndex, const ListRect& cell,
                                ListRect text, bool selectedText) {
    const ListColumn& column = columns_[static_cast<size_t>(columnIndex)];
    const std::u16string value = rows_.ItemText(row, column.subItem);
    SelectedObject font(dc, fonts_.list.get());
    SetTextColor(dc, selectedText ? colours_.selectionText : colours_.rowText);
    // Texts are centred in the whole height of the row: rows are only a few
    // pixels higher than the font, and the text area's insets would cut off
    // the tops and the descenders.
    const ListRect line{text.left, cell.top, text.right, cell.bottom};

    switch (column.format) {
        case FormatDate: {
            CellDate date;
            if (!value.empty() && rows_.ItemDate(row, column.subItem, date)) {
                DrawCellText(dc, FormatCellDate(date, column.flags), line, column.flags);
            }
            break;
        }
        case FormatCheck:
        case FormatTriState:
            DrawImage(images_.controls.get(), CheckImageIndex(column.format, CellInteger(value)),
                      dc, PlaceCheckImage(text, cell, metrics_));
            break;
        case FormatLink:
            if (row == hotItem_ && columnIndex == hotColumn_ && !(column.flags & ReadOnly)) {
                SelectObject(dc, fonts_.link.get());  // put back by `font`
                SetTextColor(dc, colours_.link);
            }
            DrawCellText(dc, ToWide(value), line, column.flags);
            break;
        case FormatProgress:
            PaintProgress(dc, cell, CellProgress(value));
            break;
        default:
            DrawCellText(dc, ToWide(value), line, column.flags);
            break;
    }
}

void UserList::PaintProgress(HDC dc, const ListRect& cell, double percent) {
    const ProgressLayout layout = LayoutProgress(cell, percent, metrics_);
    {
        UniquePen outer(CreatePen(PS_SOLID, 1, colours_.headerShadow));
        UniquePen inner(CreatePen(PS_SOLID, 1, colours_.headerFace));
        UniqueBrush inside(CreateSolidBrush(colours_.window));
        SelectedObject brush(dc, inside.get());
        {
            SelectedObject pen(dc, outer.get());
            RoundRect(dc, layout.outer.left, layout.outer.top, layout.outer.right,
                      layout.outer.bottom, metrics_.Scale(kOuterCorner),
                      metrics_.Scale(kOuterCorner));
        }
        SelectedObject pen(dc, inner.get());
        RoundRect(dc, layout.inner.left, layout.inner.top, layout.inner.right, layout.inner.bottom,
                  metrics_.Scale(kInnerCorner), metrics_.Scale(kInnerCorner));
    }
    // The bar: one column of pixels per step of a gradient from light to dark.
    const int32_t width = layout.fill.Width();
    const Rgb light = ToRgb(colours_.progressLight);
    const Rgb dark = ToRgb(colours_.progressDark);
    for (int32_t i = 0; i < width && !layout.fill.IsEmpty(); ++i) {
        const Rgb colour = GradientColour(light, dark, i, width);
        const int32_t x = layout.fill.left + i;
        FillSolid(dc, RECT{x, layout.fill.top, x + 1, layout.fill.bottom},
                  RGB(colour.red, colour.green, colour.blue));
    }
}

void UserList::PaintRubberBand(HDC dc) {
    ListGeometry geometry = Geometry();
    ListRect band = rubberBandRect_;
    band.left -= geometry.scrollX;
    band.right -= geometry.scrollX;
    band.top -= geometry.scrollY;
    band.bottom -= geometry.scrollY;
    const RubberBandLayout layout = LayoutRubberBand(band, geometry);
    if (!layout.fill.IsEmpty()) {
        FillSolid(dc, layout.fill, colours_.focusCell);
    }
    UniqueBrush frame(CreateSolidBrush(colours_.rowText));
    const RECT area = ToRect(layout.frame);
    FrameRect(dc, &area, frame.get());
}

void UserList::PaintHeader(HDC dc, const RECT& clip) {
    RECT client{};
    GetClientRect(Window(), &client);
    FillSolid(dc, RECT{client.left, 0, client.right, headerHeight_}, colours_.headerFace);
    UniquePen light(CreatePen(PS_SOLID, 1, colours_.headerLight));
    UniquePen shadow(CreatePen(PS_SOLID, 1, colours_.headerShadow));
    SetBkMode(dc, TRANSPARENT);

    int64_t left = client.left - ScrollPosition(SB_HORZ);
    for (int32_t i = 0; i < GetColumnCount(); ++i) {
        const ListColumn& column = columns_[static_cast<size_t>(i)];
        const ListRect cell{ClampToInt32(left), 0, ClampToInt32(left + column.width),
                            headerHeight_};
        left += column.width;
        if (cell.right < clip.left) {
            continue;
        }
        if (cell.left > clip.right) {
            break;
        }
        if (i == pressedColumn_) {
            FillSolid(dc, cell, colours_.pressedHeader);
        }
        const int dividerInset = metrics_.Scale(kDividerInset);
        VerticalLine(dc, shadow.get(), cell.right - 1, cell.top + dividerInset,
                     headerHeight_ - dividerInset);
        VerticalLine(dc, light.get(), cell.right, cell.top + dividerInset,
                     headerHeight_ - dividerInset);

        HeaderCellLayout layout =
            LayoutHeaderCell(cell, i, column, options_.sortEnabled, sortSubItem_, metrics_);
        if (column.image != -1) {
            DrawImage(images_.controls.get(), column.image, dc,
                      PlaceHeaderImage(layout.text, cell, column.title.empty(), metrics_));
            layout.text.left += metrics_.imageSize + metrics_.Scale(kImageTextGap);
        }
        if (!layout.text.IsEmpty() && !column.title.empty()) {
            SelectedObject font(dc, fonts_.list.get());
            SetTextColor(dc, colours_.headerText);
            DrawCellText(dc, ToWide(column.title), layout.text, column.flags);
        }
        if (layout.sortColumn) {
            DrawImage(images_.controls.get(),
                      sortAscending_ ? kListImageSortAscending : kListImageSortDescending, dc,
                      PlaceSortArrow(layout.text, cell, headerHeight_, metrics_));
        }
    }
    if (GetTotalWidth(false) > 0) {
        // The right edge lies outside the client area: the frame continues
        // the list's own static edge.
        Draw3dFrame(dc, client.left, 0, client.right + 2, headerHeight_, colours_.headerLight,
                    colours_.headerShadow);
    }
}

// The scroll slide.

bool UserList::StartScrollAnimation(int32_t fromRow, int32_t toRow) {
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

void UserList::ShowAnimationFrame() {
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

void UserList::AnimationTick() {
    if (!animation_.Advance() || !animationPicture_) {
        StopScrollAnimation();
        return;
    }
    ShowAnimationFrame();
}

void UserList::StopScrollAnimation() {
    if (Window() == nullptr) {
        return;
    }
    KillTimer(Window(), kScrollAnimationTimer);
    animationPicture_.reset();
    Invalidate();
}

void UserList::PaintAnimationPicture(HDC dc, int32_t width, int32_t height) {
    FillSolid(dc, RECT{0, 0, width, height}, colours_.window);
    // The rows as the normal paint lays them out, from the slide's first row.
    const int32_t scrollX = ScrollPosition(SB_HORZ);
    const int32_t rowCount = rows_.ItemCount();
    int32_t top = 0;
    for (int32_t row = animation_.FirstPictureRow(); row < rowCount && top < height; ++row) {
        DrawRow(dc, row, RECT{-scrollX, top, totalWidth_, top + rowHeight_});
        top += rowHeight_;
    }
}
