// UserListCtrl: an owner-drawn list window with a header row, columns of
// several cell formats, multiple selection and notifications to its parent.
// It keeps no row data: a derived class supplies the rows (ListRowStore).
//
// Use: register the class (RegisterUserListClass), then either Attach the
// object to a "UserList" window of a dialog and call Initialise, or Create the
// window, which initialises it from WM_CREATE. Then AddColumn and add rows
// through the derived class.
#pragma once

#include "common/win/handles.h"
#include "common/win/window_object.h"
#include "systest/ui/userlist/cell_date_wnd.h"
#include "systest/ui/userlist/cell_edit_wnd.h"
#include "systest/ui/userlist/column_resize.h"
#include "systest/ui/userlist/list_accessible.h"
#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/list_geometry.h"
#include "systest/ui/userlist/list_selection.h"
#include "systest/ui/userlist/list_visuals.h"
#include "systest/ui/userlist/paint_layout.h"
#include "systest/ui/userlist/row_store.h"
#include "systest/ui/userlist/rubber_band.h"
#include "systest/ui/userlist/scroll_animation.h"
#include "systest/ui/userlist/title_tip_wnd.h"
#include "systest/ui/userlist/type_ahead.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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

// Which bars ResetScrollBars sets.
enum class ScrollBars : int32_t { Horizontal = 0, Vertical = 1, Both = 3 };

struct UserListNotify;

class UserListCtrl : public SubclassedWindow {
  public:
    UserListCtrl() = default;
    ~UserListCtrl() override;

    // Creates the child window of class "UserList"; WM_CREATE initialises it
    // and fails the creation when that fails.
    HWND Create(HWND parent, UINT id, const RECT& rect, const ListResourceIds& resources,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    // Loads images and cursors from the program's resources, creates colours,
    // fonts, metrics and the title tip, trades the border for a static edge
    // and creates the item tool tip. False at the first that fails; the list
    // then draws with what it has.
    bool Initialise(const ListResourceIds& resources);

    const ListOptions& Options() const { return options_; }
    void SetOptions(const ListOptions& options);

    // Columns. Indexes are display positions; the row store and the parent
    // see a column's subItem.
    bool AddColumn(const ListColumn& column);
    int32_t GetColumnCount() const { return static_cast<int32_t>(columns_.size()); }
    bool GetColumn(int32_t column, ListColumn& record) const;
    int32_t GetColumnSubItem(int32_t column) const;  // 0 out of range
    int32_t FindColumn(int32_t subItem) const;       // -1 if none
    int32_t GetColumnFormat(int32_t column) const;   // 0 out of range
    uint32_t GetColumnFlags(int32_t column) const;   // as normalised by AddColumn; 0 out of range
    int32_t GetColumnWidth(int32_t column) const;
    // True without change for a fixed-width column.
    bool SetColumnWidth(int32_t column, int32_t width);
    // The widest of title and cells plus room; false for a fixed-width column.
    bool AutoSizeColumn(int32_t column);
    // Sum of the widths minus 1; recompute false uses the cached sum.
    int32_t GetTotalWidth(bool recompute);

    // Scrolling. A position below 0 leaves the position alone. While redraw
    // is off (WM_SETREDRAW) only the total width is recomputed; turning it on
    // sets both bars.
    void ResetScrollBars(ScrollBars which, int32_t position, bool recompute);
    int32_t GetVisibleRowCount(bool partial) const;

    // Geometry in client coordinates.
    bool HitTest(int32_t x, int32_t y, int32_t& row, int32_t& column) const;
    bool HitTestHeader(int32_t x, int32_t y, int32_t& column, uint32_t& flags) const;
    bool GetColumnRect(int32_t column, RECT& rect) const;
    bool GetItemRect(int32_t row, int32_t column, RECT& rect) const;  // column -1: whole row
    bool InvalidateItem(int32_t row, int32_t column);
    bool IsItemVisible(int32_t row, int32_t column, bool partial) const;
    bool EnsureItemVisible(int32_t row, int32_t column);

    // Selection and focus.
    bool IsSelected(int32_t row) const { return selection_.IsSelected(row); }
    bool GetFocusItem(int32_t& row, int32_t& column) const;
    // keys: MK_SHIFT and MK_CONTROL. Sends ULN_SELECTED when a row was added.
    bool SelectItem(int32_t row, int32_t column, UINT keys);
    void ClearSelection();
    // Every row, as Ctrl+A selects them; nothing in single-select mode.
    void SelectAll();

    // The selected rows on the clipboard as text (CopiedRowsText): what
    // Ctrl+C, Ctrl+Insert and the menu's Copy do. False when no row is
    // selected or the clipboard cannot take it.
    bool CopySelection();
    // The context menu (right-click, Shift+F10, the Menu key) offers Copy and
    // Select all with these texts. Until it has them, the list shows no menu
    // and WM_CONTEXTMENU goes on to the parent.
    void SetMenuTexts(ListMenuTexts texts) { menuTexts_ = std::move(texts); }

    // Header click: sorts by the column, or reverses the rows when it is the
    // sort column already.
    bool SortColumn(int32_t column);
    int32_t SortSubItem() const { return sortSubItem_; }
    bool SortAscending() const { return sortAscending_; }

    // Opens the in-place editor of an editable cell. When it cannot open, the
    // cell leaves its editing look again.
    bool EditItem(int32_t row, int32_t column);

    // Paints one row; also used to paint rows into off-screen bitmaps.
    void DrawRow(HDC dc, int32_t row, const RECT& rect);

    // Ends a running scroll slide; the next paint shows the current position.
    void StopScrollAnimation();

    // What screen readers ask of the list (list_accessible.h).
    int32_t GetItemCount() const { return Rows().ItemCount(); }
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

  protected:
    virtual ListRowStore& Rows() = 0;
    virtual const ListRowStore& Rows() const = 0;
    // After a row was added: both scroll bars, a repaint and the event.
    void RowAdded(int32_t row);

    LRESULT HandleMessage(const WindowMessage& message) override;

  private:
    static const MessageRow<UserListCtrl> kMessages[];

    // Message handlers, in the order of kMessages.
    LRESULT OnCreate();
    void OnDestroy();
    void OnSize();
    void OnSetFocus(HWND previous);
    void OnKillFocus(HWND next);
    void OnCancelMode();
    LRESULT OnGetDlgCode(const MSG* key);
    std::optional<LRESULT> OnGetObject(WPARAM flags, LONG objectId);
    void OnUpdateUiState();
    void OnHScroll(WORD request, WORD position);
    void OnVScroll(WORD request, WORD position);
    void OnSettingsChange();
    std::optional<LRESULT> OnKeyDown(UINT key);
    void OnSysKeyDown();
    std::optional<LRESULT> OnTimer(UINT_PTR timer);
    void OnMouseMove(UINT keys, POINT point);
    void OnLButtonDown(UINT keys, POINT point);
    void OnLButtonUp(UINT keys, POINT point);
    void OnLButtonDblClk(UINT keys, POINT point);
    void OnRButtonDown(UINT keys, POINT point);
    void OnRButtonUp(UINT keys, POINT point);
    std::optional<LRESULT> OnContextMenu(HWND window, POINT screen);
    void OnMouseLeave();
    void OnMouseWheel(short delta);
    LRESULT OnEraseBackground(HDC dc);
    void OnPaint();
    void OnPrintClient(HDC dc);
    LRESULT OnSetRedraw(bool redraw);
    // The list's editors end their edits with a notification; every other
    // notification goes back to its child.
    std::optional<LRESULT> OnNotify(const NMHDR* header);
    void OnEndEdit(const UserListNotify& notify);
    // A message a child window sends its parent, sent back to the child.
    std::optional<LRESULT> OnReflect(const WindowMessage& message);
    // Every mouse message, before its handler.
    void RelayToToolTip(const WindowMessage& message);

    // Colours, fonts, row height and the windows that depend on them.
    bool RefreshMetrics();
    bool MeasureRowHeight();
    bool CreateToolTip();
    void Invalidate();
    void InvalidateHeader();
    void Notify(UINT code, int32_t row, int32_t column);

    // The store takes a value the user committed; a changed row tells
    // screen readers its new name.
    void StoreCellValue(int32_t row, int32_t subItem, const std::u16string& value);

    ListGeometry Geometry() const;
    int32_t ScrollPosition(int bar) const;
    int32_t ClientWidth() const;

    // Mouse (user_list_mouse.cpp).
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
    // As a click on a check or three-state cell: the store gets the next value.
    void ToggleCheck(int32_t row, int32_t column);

    // Keyboard (user_list_keys.cpp).
    void TypeAhead(char16_t letter, int32_t focusItem, int32_t focusColumn);

    // The context menu and the clipboard (user_list_menu.cpp).
    // Where a menu the keyboard asked for opens: below the focused row, or at
    // the top of the rows; in screen coordinates.
    POINT KeyboardMenuPoint() const;
    // A cell's text as it shows (dates in the user's format, progress as
    // "N %", nothing for a check mark), for screen readers and the clipboard.
    std::u16string ShownText(int32_t row, const ListColumn& column) const;

    // Scrolling (user_list_scroll.cpp).
    bool StartScrollAnimation(int32_t fromRow, int32_t toRow);
    void ShowAnimationFrame();
    void AnimationTick();
    int32_t TrackPosition(int bar, WORD position) const;

    // Editors and title tips (user_list_edit.cpp).
    bool OpenEditor(int32_t row, int32_t column, const RECT& cell);
    // Gives the focus back to the list, which makes an open editor commit.
    void EndEdit();
    void TryTitleTip(ListPoint mouse, int32_t row, int32_t column);
    // Closing hides the tip and releases its capture; hiding also forgets
    // its cell, so the same cell may show it again.
    void CloseTitleTip();
    void HideTitleTip();

    // Screen readers (user_list_accessibility.cpp).
    void RaiseEvent(DWORD event, int32_t row);
    // Tells what changed since before: selection events and the focus.
    void AnnounceSelection(const ListSelection& before);
    int32_t ActionColumn() const;
    void DisconnectAccessible();

    // Painting (user_list_paint.cpp).
    void PaintBuffered(HDC target, const RECT& area);
    void PaintContent(HDC dc);
    void PaintHeader(HDC dc, const RECT& clip);
    void PaintRubberBand(HDC dc);
    void PaintCellContent(HDC dc, int32_t row, int32_t column, const ListRect& cell, ListRect text,
                          bool selectedText);
    void PaintProgress(HDC dc, const ListRect& cell, double percent);
    void DrawImage(HIMAGELIST list, int32_t index, HDC dc, const ImagePlacement& place);
    // The rows of a scroll slide, from its first row down, into a picture.
    void PaintAnimationPicture(HDC dc, int32_t width, int32_t height);

    ListOptions options_;
    std::vector<ListColumn> columns_;
    ListSelection selection_;  // rows, anchor, focused row and column

    int32_t rowHeight_ = 0;  // set by Initialise; header and rows are equally high
    int32_t headerHeight_ = 0;
    int32_t totalWidth_ = 0;  // cached GetTotalWidth
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

    ListResourceIds resources_{};  // where Initialise finds the images and cursors
    ListMetrics metrics_;          // of the screen's DPI, set by Initialise
    ListColours colours_{};
    ListFonts fonts_;
    ListImages images_;
    UniqueWindow toolTip_;     // the item tool tip ...
    int32_t toolTipRow_ = -1;  // ... and the row its tool covers
    TitleTipWnd titleTip_;
    CellEditWnd cellEdit_;
    CellDateWnd cellDate_;
    ComPtr<ListAccessible> accessible_;  // made at the first WM_GETOBJECT
    ListMenuTexts menuTexts_;            // empty: no context menu
};
