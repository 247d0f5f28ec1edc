#include "systest/ui/userlist/win/title_tip.h"

#include "systest/ui/userlist/win/list_visuals.h"
#include "systest/ui/userlist/title_tip_layout.h"

#include "common/win/window_text.h"

#include <windowsx.h>

namespace {

constexpr UINT kTextFormat = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

// Button messages of the client area and their non-client twins lie this far
// apart, in the same order (left, right, middle; down, up, double click).
constexpr UINT kNonClientButtonOffset = WM_LBUTTONDOWN - WM_NCLBUTTONDOWN;

bool RegisterTitleTipClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, kTitleTipClassName, &windowClass)) {
        return true;
    }
    windowClass.style = CS_SAVEBITS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    // The window object takes over from the first message (SubclassedWindow::Create).
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    windowClass.lpszClassName = kTitleTipClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

MessageTable<SubclassedWindow> TitleTip::Messages() const {
    static constexpr MessageRow<SubclassedWindow> kMessages[] = {
        Handle<WM_ERASEBKGND, &TitleTip::OnEraseBackground>(),
        Handle<WM_PAINT, &TitleTip::OnPaint>(),
        Handle<WM_PRINTCLIENT, &TitleTip::OnPrintClient>(),
        Handle<WM_MOUSEACTIVATE, &TitleTip::OnMouseActivate>(),
        Handle<WM_MOUSEMOVE, &TitleTip::OnMouseMove>(),
        Handle<WM_LBUTTONDOWN, &TitleTip::OnMouseButton>(),
        Handle<WM_LBUTTONUP, &TitleTip::OnMouseButton>(),
        Handle<WM_LBUTTONDBLCLK, &TitleTip::OnMouseButton>(),
        Handle<WM_RBUTTONDOWN, &TitleTip::OnMouseButton>(),
        Handle<WM_RBUTTONUP, &TitleTip::OnMouseButton>(),
        Handle<WM_RBUTTONDBLCLK, &TitleTip::OnMouseButton>(),
        Handle<WM_MBUTTONDOWN, &TitleTip::OnMouseButton>(),
        Handle<WM_MBUTTONUP, &TitleTip::OnMouseButton>(),
        Handle<WM_MBUTTONDBLCLK, &TitleTip::OnMouseButton>(),
    };
    return kMessages;
}

TitleTip::~TitleTip() {
    Destroy();
}

bool TitleTip::Create(HWND list) {
    Destroy();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (list == nullptr || !RegisterTitleTipClass(instance)) {
        return false;
    }
    font_ = CreateMessageFont();
    if (!font_) {
        return false;
    }
    background_ = GetSysColor(COLOR_INFOBK);
    text_ = GetSysColor(COLOR_INFOTEXT);
    list_ = list;
    // A popup owned by the list: it floats above the list's window.
    return SubclassedWindow::Create(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTitleTipClassName, nullptr,
                                    WS_POPUP, RECT{}, list, 0) != nullptr;
}

void TitleTip::Destroy() {
    if (HWND window = Window()) {
        DestroyWindow(window);  // unbinds the object at WM_NCDESTROY
    }
}

bool TitleTip::Show(const RECT& textArea, const std::wstring& text) {
    HWND window = Window();
    if (window == nullptr || text.empty()) {
        return false;
    }
    SetWindowTextW(window, text.c_str());
    RECT measured{};
    {
        WindowDc dc(window);
        SelectedObject font(dc.get(), font_.get());
        DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &measured,
                  DT_CALCRECT | kTextFormat);
    }
    const int32_t textWidth = measured.right - measured.left;
    const ListRect area{textArea.left, textArea.top, textArea.right, textArea.bottom};
    if (!TitleTipNeeded(area, textWidth)) {
        return false;
    }
    const ListRect place = TitleTipWindowRect(area, textWidth);
    SetWindowPos(window, nullptr, place.left, place.top, place.Width(), place.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOCOPYBITS);
    SetCapture(window);
    return true;
}

void TitleTip::Close() {
    HWND window = Window();
    if (window == nullptr) {
        return;
    }
    if (GetCapture() == window) {
        ReleaseCapture();
    }
    ShowWindow(window, SW_HIDE);
}

void TitleTip::Paint(HDC dc) {
    RECT client{};
    GetClientRect(Window(), &client);
    SetBkColor(dc, background_);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    UniqueBrush frame(CreateSolidBrush(text_));
    FrameRect(dc, &client, frame.get());

    const std::wstring text = WindowText(Window());
    SelectedObject font(dc, font_.get());
    SetTextColor(dc, text_);
    SetBkMode(dc, TRANSPARENT);
    RECT area = client;
    area.left += kTitleTipTextIndent;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, kTextFormat);
}

LRESULT TitleTip::OnEraseBackground(HDC) {
    return 1;  // the paint covers every pixel
}

void TitleTip::OnPaint() {
    PaintDc dc(Window());
    Paint(dc.get());
}

void TitleTip::OnPrintClient(HDC dc) {
    Paint(dc);
}

LRESULT TitleTip::OnMouseActivate() {
    return MA_NOACTIVATE;  // the list's window keeps the activation
}

void TitleTip::OnMouseMove(UINT, POINT point) {
    ClientToScreen(Window(), &point);
    RECT bounds{};
    GetWindowRect(Window(), &bounds);
    if (!PtInRect(&bounds, point)) {
        Close();
    }
}

void TitleTip::OnMouseButton(UINT keys, POINT point) {
    if (list_ == nullptr || !IsWindow(list_)) {
        return;
    }
    const UINT button = CurrentMessage().id;
    ClientToScreen(Window(), &point);
    const LRESULT hit = SendMessageW(list_, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (hit == HTCLIENT) {
        // The click lands on the cell under the tip.
        ScreenToClient(list_, &point);
        PostMessageW(list_, button, keys, MAKELPARAM(point.x, point.y));
    } else {
        PostMessageW(list_, button - kNonClientButtonOffset, static_cast<WPARAM>(hit),
                     MAKELPARAM(point.x, point.y));
    }
}
