// Window objects and their message tables on real windows: what each kind of
// row hands its handler and what goes on to the window's own class, and an
// object that leaves while another procedure has subclassed the window on top.
#include "common/win/window_object.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kButtonId = 7;

// An edit box with a table of every kind of row; records what its handlers got.
class RecordingEdit final : public SubclassedWindow {
  public:
    std::vector<std::string> log;

  private:
    MessageTable<SubclassedWindow> Messages() const override;

    void OnLButtonDown(UINT keys, POINT point) {
        log.push_back("down " + std::to_string(keys) + " " + std::to_string(point.x) + "," +
                      std::to_string(point.y));
    }
    std::optional<LRESULT> OnChar(UINT character) {
        if (character != 'x') {
            return std::nullopt;  // the edit box types it
        }
        log.push_back("x refused");
        return 0;
    }
    LRESULT OnGetDlgCode(const MSG*) { return DLGC_WANTALLKEYS; }
    void OnKeyDown(UINT key) { log.push_back("key " + std::to_string(key) + " seen"); }
    void OnButton(UINT notifyCode) { log.push_back("button " + std::to_string(notifyCode)); }
};

MessageTable<SubclassedWindow> RecordingEdit::Messages() const {
    static constexpr MessageRow<SubclassedWindow> kMessages[] = {
        Handle<WM_LBUTTONDOWN, &RecordingEdit::OnLButtonDown>(),
        Handle<WM_CHAR, &RecordingEdit::OnChar>(),
        Handle<WM_GETDLGCODE, &RecordingEdit::OnGetDlgCode>(),
        Observe<WM_KEYDOWN, &RecordingEdit::OnKeyDown>(),
        Command<kButtonId, &RecordingEdit::OnButton>(),
    };
    return kMessages;
}

// A plain edit box, the object bound or not.
HWND CreateEdit() {
    return CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(MessageTable, EachRowGetsItsMessageDecodedAndTheRestGoesToTheClass) {
    RecordingEdit edit;
    const HWND window = CreateEdit();
    ASSERT_TRUE(edit.Attach(window));

    SendMessageW(window, WM_LBUTTONDOWN, MK_SHIFT, MAKELPARAM(-3, 12));
    SendMessageW(window, WM_CHAR, 'a', 0);
    SendMessageW(window, WM_CHAR, 'x', 0);
    EXPECT_EQ(SendMessageW(window, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    SendMessageW(window, WM_KEYDOWN, VK_HOME, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kButtonId + 1, BN_CLICKED), 0);

    EXPECT_EQ(edit.log,
              (std::vector<std::string>{"down 4 -3,12", "x refused", "key 36 seen", "button 0"}));
    // The character no row took reached the edit box, the refused one did not.
    wchar_t text[8] = {};
    GetWindowTextW(window, text, 8);
    EXPECT_STREQ(text, L"a");
    // The observed key went on to the edit box, which took the caret home.
    DWORD caret = 1;
    SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    EXPECT_EQ(caret, 0u);
    DestroyWindow(window);
}

// Another procedure in front of ours: it only counts and passes on.
WNDPROC g_beneath = nullptr;
int g_seenOnTop = 0;
LRESULT CALLBACK CountingProcedure(HWND window, UINT id, WPARAM wParam, LPARAM lParam) {
    ++g_seenOnTop;
    return CallWindowProcW(g_beneath, window, id, wParam, lParam);
}

TEST(SubclassedWindow, DetachedBeneathAnotherSubclasserPassesMessagesToTheClass) {
    const HWND window = CreateEdit();
    {
        RecordingEdit edit;
        ASSERT_TRUE(edit.Attach(window));
        g_beneath = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProcedure)));
    }  // detached here, with the counting procedure still on top

    // The edit box's own answers, which DefWindowProcW would not give.
    SendMessageW(window, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessageW(window, EM_GETLIMITTEXT, 0, 0), 5);
    SendMessageW(window, WM_CHAR, 'x', 0);
    wchar_t text[8] = {};
    GetWindowTextW(window, text, 8);
    EXPECT_STREQ(text, L"x") << "no object refuses it any more";
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC),
              reinterpret_cast<LONG_PTR>(&CountingProcedure));
    EXPECT_GT(g_seenOnTop, 0);

    // Our procedure stays in the chain: no second object may bind there.
    RecordingEdit second;
    EXPECT_FALSE(second.Attach(window));
    DestroyWindow(window);
}

}  // namespace
