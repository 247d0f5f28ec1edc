// UserList: an owner-drawn list window with a header row, columns of several
// cell formats, multiple selection and notifications to its parent
// (user_list_notify.h). It keeps no row data: it shows the rows of the store
// it is given (ListRowStore, row_store.h), which its owner keeps.
//
//   TextRowStore rows;                     // or any ListRowStore
//   UserList list(rows);
//   list.Create(parent, id, rect);         // or Attach to a dialog's "UserList"
//                                          // window and Initialise
//   list.AddColumn(column);                // per column
//   rows.Add(row);                         // per row, then
//   list.RowsAdded();
//
// The program registers the class once (RegisterUserListClass) and links the
// list's own images and cursors (win/list_resources.rc). The code of the class
// is in three files: user_list.cpp (the list and its messages),
// user_list_input.cpp (what the mouse and the keyboard do, the editors, tips
// and the context menu) and user_list_paint.cpp (how it looks).
#pragma once

#include "common/win/gdi.h"
#include "common/win/handles.h"
#include "common/win/window_object.h"
#include "systest/ui/userlist/column_resize.h"
#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/list_geometry.h"
#include "systest/ui/userlist/list_keys.h"
#include "systest/ui/userlist/list_scrolling.h"
#include "systest/ui/userlist/list_selection.h"
#include "systest/ui/userlist/paint_layout.h"
#include "systest/ui/userlist/row_store.h"
#include "systest/ui/userlist/rubber_band.h"
#include "systest/ui/userlist/win/cell_date_picker.h"
#include "systest/ui/userlist/win/cell_edit_box.h"
#include "systest/ui/userlist/win/list_accessible.h"
#include "systest/ui/userlist/win/list_visuals.h"
#include "systest/ui/userlist/win/title_tip.h"

#include <windows.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

inline constexpr wchar_t kUserListClassName[] = L"UserList";

// Registers "UserList" with DefWindowProcW as its procedure, so a dialog
// template can create the window before any list object is attached to it.
// Returns the class atom, 0 on failure (also when it is registered already).
ATOM RegisterUserListClass(HINSTANCE instance);

// The behaviour switches of a list; the defaults are those of a new list.
struct ListOptions {
    bool showHeader = true;    // the header row takes the top headerHeight pixels
    bool sortEnabled = true;   // a click on a header cell sorts
    bool horzScroll = true;    // the list manages its horizontal scroll bar ...
    bool vertScroll = true;    // ... and its vertical one
    bool smoothScroll = true;  // line and page scrolls slide
    bool singleSelect = false;
    bool focusCell = false;  // the focus is on one cell rather than on a row
};

// The commands of the list's context menu, as its parent words them: the
// command, then after a tab the shortcut ("&Copy\tCtrl+C").
struct ListMenuTexts {
    std::u16string copy;
    std::u16string selectAll;
};

struct UserListNotify;

class UserList final : public SubclassedWindow {
  public:
    // The list shows the rows of the store, which must outlive it.
    explicit UserList(ListRowStore& rows) : rows_(rows) {}
    ~UserList() override;

    // Creates the child window of class "UserList"; WM_CREATE initialises it
    // and fails the creation when that fails.
    HWND Create(HWND parent, UINT id, const RECT& rect,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    // Loads the list's own images and cursors, creates colours, fonts,
    // metrics and the title tip, trades the border for a static edge and
    // creates the item tool tip. False at the first that fails; the list then
    // draws with what it has.
    bool Initialise();
    // The images of the rows (ItemImage): a strip of the module in the sizes
    // of kImageSizes, loaded in the list's size. After Initialise; false when
    // they cannot be loaded.
    bool SetRowImages(HINSTANCE module, const int (&bitmaps)[std::size(kImageSizes)]);
    // The store has new rows at its end: the list shows them (scroll bars,
    // one repaint) and tells screen readers of each.
    void RowsAdded();

    const ListOptions& Options() const { return options_; }
    void SetOptions(const ListOptions& options);
    // The context menu (right-click, Shift+F10, the Menu key) offers Copy and
    // Select all with these texts. Until it has them, the list shows no menu
    // and WM_CONTEXTMENU goes on to the parent.
    void SetMenuTexts(ListMenuTexts texts) { menuTexts_ = std::move(texts); }

    // Columns. Indexes are display positions; the row store and the parent
    // see a column's subItem.
    bool AddColumn(const ListColumn& column);
    int32_t GetColumnCount() const { return static_cast<int32_t>(columns_.size()); }
    bool GetColumn(int32_t column, ListColumn& record) const;  // as AddColumn stored it
    int32_t GetColumnWidth(int32_t column) const;              // 0 out of range
    // True without change for a fixed-width column.
    bool SetColumnWidth(int32_t column, int32_t width);
    // The widest of title and cells plus room; false for a fixed-width column.
    bool AutoSizeColumn(int32_t column);

    // Geometry in client coordinates.
    bool HitTest(int32_t x, int32_t y, int32_t& row, int32_t& column) const;
    bool GetColumnRect(int32_t column, RECT& rect) const;
    bool GetItemRect(int32_t row, int32_t column, RECT& rect) const;  // column -1: whole row

    // Selection and focus.
    bool IsSelected(int32_t row) const { return selection_.IsSelected(row); }
    bool GetFocusItem(int32_t& row, int32_t& column) const;
    // keys: MK_SHIFT and MK_CONTROL. Sends ULN_SELECTED when a row was added.
    bool SelectItem(int32_t row, int32_t column, UINT keys);

    // Header click: sorts by the column, or reverses the rows when it is the
    // sort column already.
    bool SortColumn(int32_t column);

    // What the list's object for screen readers (list_accessible.h) asks and does.
    bool HitTestHeader(int32_t x, int32_t y, int32_t& column, uint32_t& flags) const;
    bool IsItemVisible(int32_t row, int32_t column, bool partial) const;
    int32_t GetItemCount() const { return rows_.ItemCount(); }
    const ListSelection& Selection() const { return selection_; }
    // The texts the row's cells show, as one sentence (RowSentence).
    std::u16string GetItemSentence(int32_t row) const;
    // Where a row lies in client coordinates, also when it is scrolled away.
    bool GetRowRect(int32_t row, RECT& rect) const;
    // accSelect on a row: AccessibleSelectFlags; false for contradicting flags.
    bool SelectForScreenReader(int32_t row, uint32_t flags);
    // A row's default action: what a click does on the row's first link or
    // check cell that the user may click. Empty when the row has none.
    std::wstring GetItemActionName(int32_t row) const;
    bool DoItemAction(int32_t row);

  private:
    MessageTable<SubclassedWindow> Messages() const override;
    // Every mouse message reaches the item tool tip before its row.
    LRESULT HandleMessage(const WindowMessage& message) override;

    // The list and its messages (user_list.cpp).
    LRESULT OnCreate();
    void OnDestroy();
    void OnSize();
    void OnSetFocus(HWND previous);
    void OnKillFocus(HWND next);
    void OnCancelMode();
    LRESULT OnGetDlgCode(const MSG* key);
    void OnUpdateUiState();
    void OnSettingsChange();
    void OnSysKeyDown();
    std::optional<LRESULT> OnTimer(UINT_PTR timer);
    LRESULT OnSetRedraw(bool redraw);
    // A message a child window sends its parent, sent back to the child.
    std::optional<LRESULT> OnReflect(const WindowMessage& message);

    // Colours, fonts, row height and the windows that depend on them.
    bool RefreshMetrics();
    bool MeasureRowHeight();
    bool CreateToolTip();
    void RelayToToolTip(const WindowMessage& message);
    void KillTimers();
    void Invalidate();
    void InvalidateHeader();
    bool InvalidateItem(int32_t row, int32_t column);
    void Notify(UINT code, int32_t row, int32_t column);

    int32_t GetColumnSubItem(int32_t column) const;  // 0 out of range
    // Sum of the widths minus 1; recompute false uses the cached sum.
    int32_t GetTotalWidth(bool recompute);
    ListGeometry Geometry() const;
    int32_t ScrollPosition(int bar) const;
    int32_t ClientWidth() const;
    // Which bars ResetScrollBars sets.
    enum class ScrollBars : int32_t { Horizontal, Vertical, Both };
    // A position below 0 leaves the position alone. While redraw is off
    // (WM_SETREDRAW) only the total width is recomputed; turning it on sets
    // both bars.
    void ResetScrollBars(ScrollBars which, int32_t position, bool recompute);
    int32_t GetVisibleRowCount(bool partial) const;
    bool EnsureItemVisible(int32_t row, int32_t column);

    void ClearSelection();
    // Every row, as Ctrl+A selects them; nothing in single-select mode.
    void SelectAll();
    // The store takes a value the user committed; a changed row tells
    // screen readers its new name.
    void StoreCellValue(int32_t row, int32_t subItem, const std::u16string& value);
    // As a click on a check or three-state cell: the store gets the next value.
    void ToggleCheck(int32_t row, int32_t column);
    // Opens the in-place editor of an editable cell. When it cannot open, the
    // cell leaves its editing look again.
    bool EditItem(int32_t row, int32_t column);

    // Screen readers (user_list.cpp): the accessible object and WinEvents.
    std::optional<LRESULT> OnGetObject(WPARAM flags, LONG objectId);
    void DisconnectAccessible();
    void RaiseEvent(DWORD event, int32_t row);
    // Tells what changed since before: selection events and the focus.
    void AnnounceSelection(const ListSelection& before);
    int32_t ActionColumn() const;
    // A cell's text as it shows (dates in the user's format, progress as
    // "N %", nothing for a check mark), for screen readers and the clipboard.
    std::u16string ShownText(int32_t row, const ListColumn& column) const;

    // The mouse (user_list_input.cpp).
    void OnMouseMove(UINT keys, POINT point);
    void OnLButtonDown(UINT keys, POINT point);
    void OnLButtonUp(UINT keys, POINT point);
    void OnLButtonDblClk(UINT keys, POINT point);
    void OnRButtonDown(UINT keys, POINT point);
    void OnRButtonUp(UINT keys, POINT point);
    void OnMouseLeave();
    void ResizeTo(int32_t screenX);
    void ResizeTick();
    void ApplyResizeStep(const ResizeStep& step);
    ResizeView CurrentResizeView() const;
    void EndDrags();
    void UpdateRubberBand(ListPoint mouse);
    bool AutoScrollRubberBand(ListPoint mouse);
    void RubberBandTick();
    void TrackHotCell(int32_t row, int32_t column);
    bool IsLinkCell(int32_t column) const;
    void UpdateItemToolTip(int32_t row);
    void RemoveItemToolTip();

    // The keyboard (user_list_input.cpp).
    std::optional<LRESULT> OnKeyDown(UINT key);
    void TypeAhead(char16_t letter, int32_t focusItem, int32_t focusColumn);

    // Scroll bars and the wheel (user_list_input.cpp).
    void OnHScroll(WORD request, WORD position);
    void OnVScroll(WORD request, WORD position);
    void OnMouseWheel(short delta);
    int32_t TrackPosition(int bar, WORD position) const;

    // Editors and title tips (user_list_input.cpp).
    bool OpenEditor(int32_t row, int32_t column, const RECT& cell);
    // Gives the focus back to the list, which makes an open editor commit.
    void EndEdit();
    // The list's editors end their edits with a notification; every other
    // notification goes back to its child.
    std::optional<LRESULT> OnNotify(const NMHDR* header);
    void OnEndEdit(const UserListNotify& notify);
    void TryTitleTip(ListPoint mouse, int32_t row, int32_t column);
    // Closing hides the tip and releases its capture; hiding also forgets
    // its cell, so the same cell may show it again.
    void CloseTitleTip();
    void HideTitleTip();

    // The context menu and the clipboard (user_list_input.cpp).
    std::optional<LRESULT> OnContextMenu(HWND window, POINT screen);
    // Where a menu the keyboard asked for opens: below the focused row, or at
    // the top of the rows; in screen coordinates.
    POINT KeyboardMenuPoint() const;
    // The selected rows on the clipboard as text (CopiedRowsText). False
    // when no row is selected or the clipboard cannot take it.
    bool CopySelection();

    // Painting and the scroll slide (user_list_paint.cpp).
    LRESULT OnEraseBackground(HDC dc);
    void OnPaint();
    void OnPrintClient(HDC dc);
    void PaintBuffered(HDC target, const RECT& area);
    void PaintContent(HDC dc);
    void DrawRow(HDC dc, int32_t row, const RECT& rect);
    void PaintHeader(HDC dc, const RECT& clip);
    void PaintRubberBand(HDC dc);
    void PaintCellContent(HDC dc, int32_t row, int32_t column, const ListRect& cell, ListRect text,
                          bool selectedText);
    void PaintProgress(HDC dc, const ListRect& cell, double percent);
    void DrawImage(HIMAGELIST list, int32_t index, HDC dc, const ImagePlacement& place);
    bool StartScrollAnimation(int32_t fromRow, int32_t toRow);
    // The rows of a scroll slide, from its first row down, into a picture.
    void PaintAnimationPicture(HDC dc, int32_t width, int32_t height);
    void ShowAnimationFrame();
    void AnimationTick();
    // Ends a running scroll slide; the next paint shows the current position.
    void StopScrollAnimation();

    ListRowStore& rows_;  // the owner's
    ListOptions options_;
    std::vector<ListColumn> columns_;
    ListSelection selection_;  // rows, anchor, focused row and column

    int32_t rowHeight_ = 0;  // set by Initialise; header and rows are equally high
    int32_t headerHeight_ = 0;
    int32_t totalWidth_ = 0;     // cached GetTotalWidth
    int32_t shownRowCount_ = 0;  // the store's rows when RowsAdded last looked
    bool horzBarShown_ = false;
    // WM_SETREDRAW: while off, rows come and go without scroll bar updates or
    // painting, so a caller fills a large list at once.
    bool redraw_ = true;
    uint32_t wheelLines_ = 3;  // lines per wheel notch, from the system

    int32_t hotItem_ = -1;  // the cell under the mouse: link cells show as links
    int32_t hotColumn_ = -1;
    int32_t tipItem_ = -1;  // the cell whose title tip is shown
    int32_t tipColumn_ = -1;
    int32_t sortSubItem_ = -1;  // -1 until the first sort
    bool sortAscending_ = true;
    bool editing_ = false;  // an in-place editor is open

    // Between a left press on the list and its release.
    bool captured_ = false;
    ListPoint pressClient_;       // where the button went down ...
    ListPoint pressContent_;      // ... in content coordinates
    int32_t pressedColumn_ = -1;  // header cell held down
    ColumnResize resize_;         // the divider being dragged, if any
    bool rubberBand_ = false;     // rubber-band selection running ...
    ListRect rubberBandRect_;     // ... over this rectangle in content coordinates
    DWORD lastAutoScroll_ = 0;    // tick count of the band's last scroll

    bool trackingLeave_ = false;  // WM_MOUSELEAVE has been asked for
    TypeAheadSearch typeAhead_;

    bool animating_ = false;  // a scroll-bar scroll slides; cleared at SB_ENDSCROLL
    ScrollAnimation animation_;
    UniqueBitmap animationPicture_;  // the rows of the slide while it runs

    ListMetrics metrics_;  // of the screen's DPI, set by Initialise
    ListColours colours_{};
    ListFonts fonts_;
    ListImages images_;          // the list's own
    UniqueImageList rowImages_;  // SetRowImages
    UniqueWindow toolTip_;       // the item tool tip ...
    int32_t toolTipRow_ = -1;    // ... and the row its tool covers
    TitleTip titleTip_;
    CellEditBox cellEdit_;
    CellDatePicker cellDate_;
    ComPtr<ListAccessible> accessible_;  // made at the first WM_GETOBJECT
    ListMenuTexts menuTexts_;            // empty: no context menu
};
