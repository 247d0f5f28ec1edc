#include "systest/ui/userlist/title_tip_wnd.h"

#include "systest/ui/userlist/list_visuals.h"
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

const MessageRoute<TitleTipWnd> TitleTipWnd::kMessageRoutes[] = {
    {WM_ERASEBKGND, WM_ERASEBKGND, &TitleTipWnd::OnEraseBackground},
    {WM_PAINT, WM_PAINT, &TitleTipWnd::OnPaint},
    {WM_PRINTCLIENT, WM_PRINTCLIENT, &TitleTipWnd::OnPrintClient},
    {WM_MOUSEACTIVATE, WM_MOUSEACTIVATE, &TitleTipWnd::OnMouseActivate},
    {WM_MOUSEMOVE, WM_MOUSEMOVE, &TitleTipWnd::OnMouseMove},
    {WM_LBUTTONDOWN, WM_MBUTTONDBLCLK, &TitleTipWnd::OnMouseButton},
};

TitleTipWnd::~TitleTipWnd() {
    Destroy();
}

bool TitleTipWnd::Create(HWND list) {
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

void TitleTipWnd::Destroy() {
    if (HWND window = Window()) {
        DestroyWindow(window);  // unbinds the object at WM_NCDESTROY
    }
}

LRESULT TitleTipWnd::HandleMessage(const WindowMessage& message) {
    return RouteOrCallPrevious<TitleTipWnd>(kMessageRoutes, message);
}

bool TitleTipWnd::Show(const RECT& textArea, const std::wstring& text) {
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

void TitleTipWnd::Close() {
    HWND window = Window();
    if (window == nullptr) {
        return;
    }
    if (GetCapture() == window) {
        ReleaseCapture();
    }
    ShowWindow(window, SW_HIDE);
}

void TitleTipWnd::Paint(HDC dc) {
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

bool TitleTipWnd::OnEraseBackground(const WindowMessage&, LRESULT& result) {
    result = 1;  // the paint covers every pixel
    return true;
}

bool TitleTipWnd::OnPaint(const WindowMessage&, LRESULT& result) {
    PaintDc dc(Window());
    Paint(dc.get());
    result = 0;
    return true;
}

bool TitleTipWnd::OnPrintClient(const WindowMessage& message, LRESULT& result) {
    Paint(reinterpret_cast<HDC>(message.wParam));
    result = 0;
    return true;
}

bool TitleTipWnd::OnMouseActivate(const WindowMessage&, LRESULT& result) {
    result = MA_NOACTIVATE;  // the list's window keeps the activation
    return true;
}

bool TitleTipWnd::OnMouseMove(const WindowMessage& message, LRESULT& result) {
    POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    ClientToScreen(Window(), &point);
    RECT bounds{};
    GetWindowRect(Window(), &bounds);
    if (!PtInRect(&bounds, point)) {
        Close();
    }
    result = 0;
    return true;
}

bool TitleTipWnd::OnMouseButton(const WindowMessage& message, LRESULT& result) {
    result = 0;
    if (list_ == nullptr || !IsWindow(list_)) {
        return true;
    }
    POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    ClientToScreen(Window(), &point);
    const LRESULT hit = SendMessageW(list_, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (hit == HTCLIENT) {
        // The click lands on the cell under the tip.
        ScreenToClient(list_, &point);
        PostMessageW(list_, message.id, message.wParam, MAKELPARAM(point.x, point.y));
    } else {
        PostMessageW(list_, message.id - kNonClientButtonOffset, static_cast<WPARAM>(hit),
                     MAKELPARAM(point.x, point.y));
    }
    return true;
}
