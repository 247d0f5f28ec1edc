// What the list's Wine tests share: a real parent window that checks and logs
// every WM_NOTIFY, pictures of the client area taken with WM_PRINTCLIENT, and
// input sent the way the system sends it.
#pragma once

#include "systest/ui/userlist/text_row_store.h"
#include "systest/ui/userlist/win/user_list.h"

#include "common/win/gdi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

inline constexpr UINT kListId = 1001;

// What the parent saw of one WM_NOTIFY.
struct Notice {
    UINT code;
    int32_t item;
    int32_t subItem;

    friend bool operator==(const Notice&, const Notice&) = default;
};

void PrintTo(const Notice& notice, std::ostream* os);

// Every notification the parent received since the test began.
extern std::vector<Notice> notices;

class ListTest : public testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;

    // As the main dialog does it: a window of the class, then attach and
    // initialise; the rows show the list's own images.
    HWND AttachList(UserList& list, int width = 400, int height = 200);
    // The main dialog's two columns: "Status" and "Check".
    static void AddColumns(UserList& list, int32_t width0, int32_t width1);
    // A row of those columns, with an image (ListImage); its index.
    static int32_t AddRow(UserList& list, TextRowStore& rows, std::u16string status,
                          std::u16string check, int32_t image = kListImageGreenTick);
    static int32_t RowHeight(const UserList& list);

    UniqueWindow parent_;
};

// A picture of a window's client area taken with WM_PRINTCLIENT.
class Picture {
  public:
    explicit Picture(HWND window);

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;
    // Whether any pixel of the rectangle has the colour.
    bool Contains(const RECT& area, COLORREF colour) const;

  private:
    UniqueCreatedDc dc_;
    UniqueBitmap bitmap_;
    const uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// The centre of a cell in client coordinates; the test fails when the list
// has no such cell.
POINT CellCentre(const UserList& list, int32_t row, int32_t column);
// The last window of the calling thread whose class has this name; null
// when there is none. Class names are compared without regard to case.
HWND FindThreadWindow(const wchar_t* className);

SCROLLINFO ScrollInfo(HWND window, int bar);
std::string Hex(COLORREF colour);

// Mouse input as the system delivers it: the cursor is put on the point first
// (the list asks for WM_MOUSELEAVE, which comes at once when the cursor is
// elsewhere), then the message is sent with client coordinates.
void SendMouse(HWND window, UINT message, int x, int y, WPARAM keys = 0);
void Click(HWND window, int x, int y, WPARAM keys = 0);
// A key press with Ctrl and Shift held as asked: the thread's key state is
// set around the WM_KEYDOWN, as GetKeyState reads it.
void PressKey(HWND window, WPARAM virtualKey, bool control = false, bool shift = false);
// Handles what was posted (a list posts to itself, a title tip to the list).
void PumpMessages();
