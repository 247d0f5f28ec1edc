// RAII owners of GDI objects, device contexts, image lists and cursors, and
// scopes that undo a selection or a saved DC state. Each name says what it
// releases; none can be copied.
#pragma once

#include "common/win/handles.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>

// Fonts, pens, brushes and bitmaps: DeleteObject. Delete them only when they
// are no longer selected into a DC (SelectedObject restores the old one first).
template <typename GdiHandle>
struct GdiObjectTraits {
    using Handle = GdiHandle;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle object) { DeleteObject(object); }
};
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;

// A DC of CreateCompatibleDC or CreateDCW: DeleteDC.
struct CreatedDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle dc) { DeleteDC(dc); }
};
using UniqueCreatedDc = UniqueHandle<CreatedDcTraits>;

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle list) { ImageList_Destroy(list); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

// A cursor loaded without LR_SHARED: DestroyCursor.
struct CursorTraits {
    using Handle = HCURSOR;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle cursor) { DestroyCursor(cursor); }
};
using UniqueCursor = UniqueHandle<CursorTraits>;

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle icon) { DestroyIcon(icon); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

// The DC of a window from GetDC, released with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint ... EndPaint.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC ... RestoreDC: colours, modes, selections and the clip region come back.
class SavedDcState {
  public:
    explicit SavedDcState(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (state_ != 0) {
            RestoreDC(dc_, state_);
        }
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

  private:
    HDC dc_;
    int state_;
};
