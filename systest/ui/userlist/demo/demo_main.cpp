// UserList demonstration: one list with a column of every cell format, to try
// the control by hand. The line below the list names the last notification.
//
//   userlist_demo.exe                      the window, until it is closed
//   userlist_demo.exe --screenshot a.bmp   draws the window, saves it, exits
#include "systest/ui/userlist/demo/demo_list.h"
#include "systest/ui/userlist/win/user_list_notify.h"

#include "common/win/com.h"
#include "common/win/handles.h"
#include "common/win/screenshot.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kWindowClass[] = L"UserListDemo";
constexpr wchar_t kTitle[] = L"UserList demonstration";
constexpr UINT kListId = 1001;
constexpr int kWindowWidth = 1200;
constexpr int kWindowHeight = 560;
constexpr int kStatusHeight = 22;
constexpr int kMargin = 8;
constexpr wchar_t kScreenshotSwitch[] = L"--screenshot";
// Long enough for the window and its children to paint.
constexpr DWORD kSettleTime = 300;

struct DemoWindow {
    TextRowStore rows;
    UserList list{rows};
    HWND status = nullptr;
};

DemoWindow* demo = nullptr;

const wchar_t* NotificationName(UINT code) {
    switch (code) {
        case ULN_SELECTED:
            return L"selected";
        case ULN_LEFTCLICK:
            return L"left click";
        case ULN_RIGHTCLICK:
            return L"right click";
        case ULN_DOUBLECLICK:
            return L"double click";
        case ULN_MODIFIED:
            return L"modified";
        case ULN_LINKCLICK:
            return L"link click";
        default:
            return nullptr;
    }
}

void Layout(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const int listBottom = client.bottom - kMargin - kStatusHeight;
    MoveWindow(demo->list.Window(), kMargin, kMargin, client.right - 2 * kMargin,
               listBottom - kMargin, TRUE);
    MoveWindow(demo->status, kMargin, listBottom + 2, client.right - 2 * kMargin, kStatusHeight - 2,
               TRUE);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            const RECT none{};
            if (demo->list.Create(window, kListId, none) == nullptr) {
                return -1;
            }
            FillDemoList(demo->list, demo->rows);
            demo->status =
                CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0,
                                window, nullptr, GetModuleHandleW(nullptr), nullptr);
            SendMessageW(demo->status, WM_SETFONT,
                         reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            Layout(window);
            return 0;
        }
        case WM_SIZE:
            Layout(window);
            return 0;
        case WM_SETFOCUS:
            SetFocus(demo->list.Window());
            return 0;
        case WM_NOTIFY: {
            const auto* record = reinterpret_cast<const UserListNotify*>(lParam);
            if (const wchar_t* name = NotificationName(record->hdr.code)) {
                wchar_t text[128];
                wsprintfW(text, L"Last notification: %s, row %d, sub-item %d", name, record->item,
                          record->subItem);
                SetWindowTextW(demo->status, text);
            }
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The file after --screenshot, or empty.
std::wstring ScreenshotFile() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring file;
    for (int i = 1; i + 1 < count; ++i) {
        if (lstrcmpiW(arguments[i], kScreenshotSwitch) == 0) {
            file = arguments[i + 1];
        }
    }
    LocalFree(arguments);
    return file;
}

// Some state worth seeing: sorted by name, three rows selected, scrolled a little.
void PrepareScreenshot(UserList& list) {
    list.SortColumn(DemoName);
    list.SelectItem(3, DemoName, 0);
    list.SelectItem(5, DemoName, MK_SHIFT);
    SendMessageW(list.Window(), WM_VSCROLL, SB_TOP, 0);
}

// Handles messages for a while, so the window has painted before its picture
// is taken from the screen.
void LetPaintingFinish() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kSettleTime) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    // Screen readers get the list's accessible object through COM.
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    if (RegisterUserListClass(instance) == 0) {
        return 1;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExW(&windowClass) == 0) {
        return 1;
    }
    DemoWindow window;
    demo = &window;
    UniqueWindow frame(CreateWindowExW(0, kWindowClass, kTitle, WS_OVERLAPPEDWINDOW, 0, 0,
                                       kWindowWidth, kWindowHeight, nullptr, nullptr, instance,
                                       nullptr));
    if (!frame) {
        return 1;
    }
    const std::wstring screenshot = ScreenshotFile();
    ShowWindow(frame.get(), screenshot.empty() ? show : SW_SHOWNORMAL);
    UpdateWindow(frame.get());
    if (!screenshot.empty()) {
        PrepareScreenshot(window.list);
        LetPaintingFinish();
        return SaveWindowScreenshot(frame.get(), screenshot) ? 0 : 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    frame.release();  // destroyed by the close box
    return static_cast<int>(message.wParam);
}
