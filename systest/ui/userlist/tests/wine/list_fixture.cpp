#include "systest/ui/userlist/tests/wine/list_fixture.h"

#include "systest/ui/userlist/win/list_resources.h"
#include "systest/ui/userlist/win/user_list_notify.h"

#include <commctrl.h>

std::vector<Notice> notices;

namespace {

constexpr wchar_t kParentClass[] = L"UserListTestParent";

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* record = reinterpret_cast<const UserListNotify*>(lParam);
        // Fields that every notification to the parent carries the same way.
        EXPECT_EQ(wParam, kListId);
        EXPECT_EQ(record->hdr.idFrom, kListId);
        EXPECT_EQ(GetParent(record->hdr.hwndFrom), window);
        EXPECT_EQ(record->key, 0);
        EXPECT_EQ(record->text, nullptr);
        EXPECT_EQ(record->value, nullptr);
        notices.push_back({record->hdr.code, record->item, record->subItem});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void PrintTo(const Notice& n, std::ostream* os) {
    *os << "{" << -static_cast<int>(n.code) << ", item " << n.item << ", sub-item " << n.subItem
        << "}";
}

void ListTest::SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterUserListClass(instance);
    WNDCLASSEXW parent{};
    parent.cbSize = sizeof parent;
    parent.lpfnWndProc = ParentProcedure;
    parent.hInstance = instance;
    parent.lpszClassName = kParentClass;
    RegisterClassExW(&parent);
}

void ListTest::SetUp() {
    notices.clear();
    parent_.reset(CreateWindowExW(0, kParentClass, L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                  0, 640, 480, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr));
    ASSERT_TRUE(parent_);
}

HWND ListTest::AttachList(UserList& list, int width, int height) {
    HWND window = CreateWindowExW(
        0, kUserListClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 10, 10,
        width, height, parent_.get(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kListId)),
        GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(list.Attach(window));
    EXPECT_TRUE(list.Initialise());
    EXPECT_TRUE(list.SetRowImages(GetModuleHandleW(nullptr), kListImageBitmaps));
    return window;
}

void ListTest::AddColumns(UserList& list, int32_t width0, int32_t width1) {
    ListColumn status;
    status.title = u"Status";
    status.width = width0;
    list.AddColumn(status);
    ListColumn check;
    check.title = u"Check";
    check.width = width1;
    list.AddColumn(check);
}

int32_t ListTest::AddRow(UserList& list, TextRowStore& rows, std::u16string status,
                         std::u16string check, int32_t image) {
    const int32_t row = rows.Add(TextRow({std::move(status), std::move(check)}, image));
    list.RowsAdded();
    return row;
}

int32_t ListTest::RowHeight(const UserList& list) {
    RECT header{};
    list.GetColumnRect(0, header);
    return header.bottom;  // rows are as high as the header
}

Picture::Picture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_.reset(CreateCompatibleDC(nullptr));
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    pixels_ = static_cast<const uint32_t*>(bits);
    SelectedObject selected(dc_.get(), bitmap_.get());
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
    GdiFlush();
}

COLORREF Picture::At(int x, int y) const {
    const uint32_t p = pixels_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Picture::Contains(const RECT& area, COLORREF colour) const {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (At(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

POINT CellCentre(const UserList& list, int32_t row, int32_t column) {
    RECT rect{};
    EXPECT_TRUE(list.GetItemRect(row, column, rect)) << "cell " << row << "," << column;
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND FindThreadWindow(const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        HWND found;
    } search{className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM context) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(context);
            wchar_t name[64];
            GetClassNameW(candidate, name, 64);
            if (lstrcmpiW(name, wanted->className) == 0) {
                wanted->found = candidate;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

SCROLLINFO ScrollInfo(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

std::string Hex(COLORREF colour) {
    char text[16];
    wsprintfA(text, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

void SendMouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    POINT screen{x, y};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(window, message, keys, MAKELPARAM(x, y));
}

void Click(HWND window, int x, int y, WPARAM keys) {
    SendMouse(window, WM_LBUTTONDOWN, x, y, keys | MK_LBUTTON);
    SendMouse(window, WM_LBUTTONUP, x, y, keys);
}

void PressKey(HWND window, WPARAM virtualKey, bool control, bool shift) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE saved[2] = {keys[VK_CONTROL], keys[VK_SHIFT]};
    constexpr BYTE kDown = 0x80;
    keys[VK_CONTROL] = control ? kDown : 0;
    keys[VK_SHIFT] = shift ? kDown : 0;
    SetKeyboardState(keys);
    SendMessageW(window, WM_KEYDOWN, virtualKey, 0);
    keys[VK_CONTROL] = saved[0];
    keys[VK_SHIFT] = saved[1];
    SetKeyboardState(keys);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
