// The agreement page created from the program's template, with the English
// language library and agreement text, driven by messages.
#include "systest/ui/agreement_dialog.h"

#include "common/tests/wine/bad_files.h"
#include "common/tests/wine/temp_folder.h"
#include "common/tests/wine/win_event_log.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"
#include "systest/engine/tests/wine/text_file_lines.h"
#include "systest/resources/resource.h"
#include "systest/ui/exit_codes.h"
#include "systest/ui/language_files.h"
#include "systest/ui/tests/wine/dialog_keys.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace {

int LineCount(const char16_t* path) {
    TextFileReader reader(path);
    return static_cast<int>(ReadAllLines(reader).size());
}

// Counts the faults (exceptions of error severity) of the process while it
// lives. A vectored handler sees a fault first, also one that the caller of a
// window procedure swallows, as Wine does.
class FaultCounter {
  public:
    FaultCounter() : handler_(AddVectoredExceptionHandler(1, &Count)) { faults_ = 0; }
    ~FaultCounter() { RemoveVectoredExceptionHandler(handler_); }
    FaultCounter(const FaultCounter&) = delete;
    FaultCounter& operator=(const FaultCounter&) = delete;

    int Faults() const { return faults_; }

  private:
    static constexpr DWORD kErrorSeverity = 0xC0000000;

    static LONG CALLBACK Count(EXCEPTION_POINTERS* exception) {
        if ((exception->ExceptionRecord->ExceptionCode & kErrorSeverity) == kErrorSeverity) {
            ++faults_;
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }

    static inline std::atomic<int> faults_ = 0;
    PVOID handler_;
};

// English with an agreement text.
LanguageResources English(std::u16string agreementPath = u"Lic_En.Txt") {
    return {OpenLanguageLibrary(ToWide(ProgramFolder()) + L"Lang_En.Dll"),
            std::move(agreementPath)};
}

class AgreementPage : public testing::Test {
  protected:
    // Creates and shows the page; the window is found as the active one.
    HWND Open(AgreementDialog& page) {
        EXPECT_TRUE(page.Create());
        ShowWindow(page.Window(), SW_SHOW);
        return page.Window();
    }

    AppModule module_{GetModuleHandleW(nullptr)};
    const LanguageResources english_ = English();
};

TEST_F(AgreementPage, ShowsTheAgreementAndTheLanguageTexts) {
    AgreementDialog page(module_, english_);
    const HWND window = Open(page);
    EXPECT_EQ(WindowText(window), L"Quarvel 2012 System Test \u2013 License Agreement");
    EXPECT_EQ(WindowText(GetDlgItem(window, IDOK)), L"&Next >");
    EXPECT_EQ(WindowText(GetDlgItem(window, IDCANCEL)), L"Cancel");
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_ACCEPT_BOX)),
              L"I &accept the terms of the license agreement");
    EXPECT_NE(WindowText(GetDlgItem(window, -1)).find(L"license agreement"), std::wstring::npos);

    const HWND list = GetDlgItem(window, IDC_AGREEMENT_TEXT);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), LineCount(u"Lic_En.Txt"));
    wchar_t first[128] = {};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"LICENSE AGREEMENT FOR THE QUARVEL 2012 SYSTEM TEST");

    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDOK)));
}

TEST_F(AgreementPage, TickingTheBoxEnablesAcceptEachTime) {
    AgreementDialog page(module_, english_);
    const HWND window = Open(page);
    const HWND box = GetDlgItem(window, IDC_ACCEPT_BOX);
    const HWND accept = GetDlgItem(window, IDOK);
    for (int round = 0; round < 2; ++round) {
        SendMessageW(box, BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowEnabled(accept));
        EXPECT_EQ(GetFocus(), accept);
        SendMessageW(box, BM_CLICK, 0, 0);
        EXPECT_FALSE(IsWindowEnabled(accept));
        EXPECT_NE(GetFocus(), accept) << "a disabled button keeps no focus";
    }
}

TEST_F(AgreementPage, KeyboardAloneReadsTicksAndAccepts) {
    AgreementDialog page(module_, english_);
    const HWND window = Open(page);
    const HWND list = GetDlgItem(window, IDC_AGREEMENT_TEXT);
    ASSERT_EQ(GetFocus(), list) << "the text comes first";

    // Each line the caret reaches is told as the list box's focused line; the
    // first arrow takes the line the caret is on.
    WinEventLog log(list, EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS);
    ASSERT_TRUE(log.Hooked());
    PressDialogKey(window, VK_DOWN);
    PressDialogKey(window, VK_DOWN);
    EXPECT_EQ(SendMessageW(list, LB_GETCARETINDEX, 0, 0), 1);
    EXPECT_EQ(log.Entries(), (std::vector<WinEventEntry>{{EVENT_OBJECT_FOCUS, OBJID_CLIENT, 1},
                                                         {EVENT_OBJECT_FOCUS, OBJID_CLIENT, 2}}));

    // Tab walks on to the box and the buttons (Next is disabled) and back.
    const int order[] = {IDC_ACCEPT_BOX, IDCANCEL, IDC_AGREEMENT_TEXT};
    for (int id : order) {
        PressDialogKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, id)) << id;
    }
    // Alt+A ticks the box, which hands the focus to Next; Enter accepts.
    PressDialogKey(window, 'a', WM_SYSCHAR);
    EXPECT_EQ(IsDlgButtonChecked(window, IDC_ACCEPT_BOX), BST_CHECKED);
    EXPECT_EQ(GetFocus(), GetDlgItem(window, IDOK));
    PressDialogKey(window, VK_RETURN);
    EXPECT_EQ(module_.Loop().Run(), kQuitAccepted);
}

// On the screen while the checks run, until the main dialog replaces it, and
// plainly busy: its box and buttons greyed, a line that says so, the wait
// cursor over the page and its controls. Accepted once, whatever comes after.
TEST_F(AgreementPage, AcceptEndsTheLoopWithOneAndShowsTheChecksRunUntilDestroyed) {
    AgreementDialog page(module_, english_);
    const HWND window = Open(page);
    SendMessageW(GetDlgItem(window, IDC_ACCEPT_BOX), BM_CLICK, 0, 0);
    SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(module_.Loop().Run(), kQuitAccepted);
    MSG second{};
    EXPECT_FALSE(PeekMessageW(&second, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "accepted twice";

    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(IsWindowEnabled(window));
    for (const int id : {IDC_ACCEPT_BOX, IDOK, IDCANCEL}) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, id))) << id;
    }
    EXPECT_EQ(WindowText(GetDlgItem(window, -1)),
              L"Checking this computer. The results appear in a few seconds; a slow graphics "
              L"driver can take up to two minutes.");
    for (const HWND under :
         {window, GetDlgItem(window, IDOK), GetDlgItem(window, IDC_AGREEMENT_TEXT)}) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        // As the system asks when the mouse moves over a disabled window.
        EXPECT_TRUE(SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                                 MAKELPARAM(HTERROR, WM_MOUSEMOVE)));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    }
    page.DestroyDialog();
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(AgreementPage, OkWithoutTheBoxTickedAcceptsNothing) {
    AgreementDialog page(module_, english_);
    const HWND window = Open(page);
    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(AgreementPage, DeclineEscapeAndTheCloseBoxEndTheLoopWithTwo) {
    const struct {
        const char* name;
        void (*decline)(HWND window);
    } ways[] = {
        {"decline button",
         [](HWND window) { SendMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0); }},
        // Esc goes through the loop's filter to IsDialogMessageW.
        {"escape",
         [](HWND window) {
             PostMessageW(GetDlgItem(window, IDC_AGREEMENT_TEXT), WM_KEYDOWN, VK_ESCAPE, 0);
         }},
        {"close box", [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        AgreementDialog page(module_, english_);
        const HWND window = Open(page);
        way.decline(window);
        EXPECT_EQ(module_.Loop().Run(), kQuitCancelled);
        EXPECT_FALSE(IsWindow(window));
    }
}

// Whatever the agreement text is, the page shows what it could read and can be
// accepted. A text with no readable lines leaves the list empty.
TEST_F(AgreementPage, AnyAgreementTextLeavesThePageWorking) {
    const struct {
        BadFile kind;
        int lines;  // -1: as many as the reader reads
    } outcomes[] = {
        {BadFile::Missing, 0},    {BadFile::Empty, 1},  // an empty file is one empty line
        {BadFile::Folder, 0},     {BadFile::Locked, 0},
        {BadFile::Huge, 1},  // one line of NULs: an empty entry
        {BadFile::Binary, -1},    {BadFile::Utf16, 2},
        {BadFile::Unreadable, 0},
    };
    const TempFolder folder(u"qst_agreement");
    for (const auto& outcome : outcomes) {
        SCOPED_TRACE(BadFileName(outcome.kind));
        const PlacedBadFile text(folder.File(u"Lic_En.Txt"), outcome.kind,
                                 u"LICENSE AGREEMENT\r\nGr\u00f6\u00dfe");
        const LanguageResources language = English(text.Path());
        AgreementDialog page(module_, language);
        const HWND window = Open(page);
        ASSERT_NE(window, nullptr);
        const int expected = outcome.lines >= 0 ? outcome.lines : LineCount(text.Path().c_str());
        EXPECT_EQ(SendMessageW(GetDlgItem(window, IDC_AGREEMENT_TEXT), LB_GETCOUNT, 0, 0),
                  expected);
        SendMessageW(GetDlgItem(window, IDC_ACCEPT_BOX), BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDOK)));
        SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
        EXPECT_EQ(module_.Loop().Run(), kQuitAccepted);
    }
}

TEST_F(AgreementPage, GoingWhileItsWindowIsOpenDestroysTheWindowAndLeavesTheLoop) {
    FaultCounter faults;
    HWND window = nullptr;
    {
        AgreementDialog page(module_, english_);
        window = Open(page);
    }
    EXPECT_FALSE(IsWindow(window));
    // The window's last messages must not reach the handlers of a dialog that
    // is gone: that is a pure virtual call, which ends the process on Windows.
    EXPECT_EQ(faults.Faults(), 0);
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
    PostQuitMessage(kQuitCancelled);
    EXPECT_EQ(module_.Loop().Run(), kQuitCancelled);
}

}  // namespace
