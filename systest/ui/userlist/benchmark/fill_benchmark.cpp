// How long a visible results list takes to fill, sort and paint: the rows are
// added once with redraw off (WM_SETREDRAW, as a caller filling a large list
// does) and once with redraw on. Prints one line per step.
//
//   userlist_fill_benchmark [ROWS]   (default 100000)
#include "systest/ui/userlist/text_row_store.h"
#include "systest/ui/userlist/win/list_resources.h"
#include "systest/ui/userlist/win/user_list.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int32_t kDefaultRows = 100000;
constexpr UINT kListId = 1001;
constexpr wchar_t kFrameClass[] = L"UserListBenchmarkFrame";

class Stopwatch {
  public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double Milliseconds() const {
        LARGE_INTEGER now{};
        LARGE_INTEGER frequency{};
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
               static_cast<double>(frequency.QuadPart);
    }

  private:
    LARGE_INTEGER start_{};
};

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Report(const char* step, double milliseconds, int32_t rows) {
    std::printf("%-26s %10.1f ms  %8.4f ms per row\n", step, milliseconds,
                milliseconds / static_cast<double>(rows));
    std::fflush(stdout);
}

// A row of the results' kind: an image, a status word and a check; the checks
// come in a scrambled order, so that the sort has work to do.
TextRow MakeRow(int32_t index, int32_t rows) {
    static const char16_t* const kStatus[] = {u"Failed", u"Warning", u"Passed"};
    const int32_t key = static_cast<int32_t>((int64_t{index} * 7919) % rows);
    wchar_t text[32];
    std::swprintf(text, 32, L"Check %08d", key);
    const std::wstring wide = text;
    return TextRow({kStatus[index % 3], std::u16string(wide.begin(), wide.end())}, index % 3);
}

// Fills, sorts and paints one list in the frame.
bool Measure(HWND frame, int32_t rows, bool redrawOff) {
    RECT client{};
    GetClientRect(frame, &client);
    TextRowStore store;
    UserList list(store);
    if (list.Create(frame, kListId, client) == nullptr ||
        !list.SetRowImages(GetModuleHandleW(nullptr), kListImageBitmaps)) {
        return false;
    }
    const HWND window = list.Window();
    for (const char16_t* title : {u"Status", u"Check"}) {
        ListColumn column;
        column.title = title;
        column.width = 200;
        list.AddColumn(column);
    }
    UpdateWindow(window);
    PumpMessages();

    Stopwatch fill;
    if (redrawOff) {
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    }
    for (int32_t i = 0; i < rows; ++i) {
        store.Add(MakeRow(i, rows));
        list.RowsAdded();
    }
    if (redrawOff) {
        SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    }
    UpdateWindow(window);
    Report(redrawOff ? "fill, redraw off" : "fill, redraw on", fill.Milliseconds(), rows);
    PumpMessages();

    Stopwatch sort;
    list.SortColumn(1);
    UpdateWindow(window);
    Report("sort by the check", sort.Milliseconds(), rows);

    Stopwatch paint;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Report("paint", paint.Milliseconds(), rows);
    PumpMessages();
    DestroyWindow(window);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int32_t rows =
        argc > 1 ? static_cast<int32_t>(std::wcstol(argv[1], nullptr, 10)) : kDefaultRows;
    if (rows <= 0) {
        std::fprintf(stderr, "usage: userlist_fill_benchmark [ROWS]\n");
        return 2;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = instance;
    frameClass.lpszClassName = kFrameClass;
    if (!RegisterUserListClass(instance) || !RegisterClassExW(&frameClass)) {
        std::fprintf(stderr, "cannot register the window classes\n");
        return 1;
    }
    const HWND frame =
        CreateWindowExW(0, kFrameClass, L"UserList benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                        0, 800, 600, nullptr, nullptr, instance, nullptr);
    if (frame == nullptr) {
        std::fprintf(stderr, "cannot create the window\n");
        return 1;
    }
    std::printf("%d rows in a visible list\n", rows);
    const bool measured = Measure(frame, rows, true) && Measure(frame, rows, false);
    DestroyWindow(frame);
    return measured ? 0 : 1;
}
