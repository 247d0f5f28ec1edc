// The main dialog created from the program's template with a language library
// and checks whose verdicts the test chooses.
#include "systest/ui/main_dialog.h"

#include "common/tests/crlf_lines.h"
#include "common/tests/wine/accessible_reading.h"
#include "common/tests/wine/win_event_log.h"
#include "common/win/com.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"
#include "common/win/window_text.h"
#include "systest/engine/report_file.h"
#include "systest/resources/resource.h"
#include "systest/ui/exit_codes.h"
#include "systest/ui/language_files.h"
#include "systest/ui/result_images.h"
#include "systest/ui/tests/wine/dialog_keys.h"
#include "systest/ui/userlist/win/user_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CheckResult Result(CheckLevel level, const char16_t* text, const char16_t* report = nullptr) {
    return CheckResult{level, text, report != nullptr ? report : text};
}

class ChosenSystemChecks final : public SystemChecks {
  public:
    OperatingSystemCheck CheckOperatingSystem() override { return {os, std::nullopt}; }
    CheckResult CheckProcessor() override { return processor; }
    CheckResult CheckMemory() override { return memory; }
    CheckResult CheckDiskSpace() override { return disk; }
    CheckResult CheckScreen() override { return screen; }

    CheckResult os, processor, memory, disk, screen;
};

class ChosenGraphicsChecks final : public GraphicsChecks {
  public:
    GraphicsFindings RunDiagnostic() override {
        cursorDuringChecks = GetCursor();
        return {{}, {}, {}, rows};
    }

    std::optional<AdapterRows> rows;  // none: the gate stays closed
    HCURSOR cursorDuringChecks = nullptr;
};

class MainDialogTest : public testing::Test {
  protected:
    void Load(const wchar_t* library) {
        // The dialog template holds a control of this class; a second
        // registration within the process fails harmlessly.
        RegisterUserListClass(module_.Instance());
        language_.emplace(OpenLanguageLibrary(ToWide(ProgramFolder()) + library), u"");
    }

    AppModule module_{GetModuleHandleW(nullptr)};
    std::optional<LanguageResources> language_;
    ChosenSystemChecks system_;
    ChosenGraphicsChecks graphics_;
};

TEST_F(MainDialogTest, ShowsTheRowsTheSummaryAndTheMetaLine) {
    Load(L"Lang_En.Dll");
    system_.os = Result(CheckLevel::Passed, u"Windows is fine.");
    system_.memory = Result(CheckLevel::Warning, u"Memory is tight.");
    system_.screen = Result(CheckLevel::PassedWithMargin, u"Large screen.");
    graphics_.rows = AdapterRows{};
    graphics_.rows->card = Result(CheckLevel::Warning, u"Card shown.", u"Card reported.");

    MainDialog dialog(module_, *language_, {system_, graphics_});
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.Window();
    EXPECT_FALSE(IsWindowVisible(window)) << "shown by the start-up once the checks are done";
    const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
    EXPECT_EQ(graphics_.cursorDuringChecks, wait);
    EXPECT_NE(GetCursor(), wait);

    EXPECT_EQ(WindowText(window), L"Quarvel 2012 System Test");
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_REPORT_BUTTON)), L"Save and &open report");
    EXPECT_NE(WindowText(GetDlgItem(window, IDC_DESCRIPTION)).find(L"system requirements"),
              std::wstring::npos);
    // Without the blanks that make the report's first column.
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_SUMMARY_STATUS)), L"Warning");
    EXPECT_EQ(WindowText(GetDlgItem(window, IDC_SUMMARY_TEXT)),
              L"This computer meets the minimum system requirements of Quarvel 2012. Please "
              L"read the warnings.");
    EXPECT_NE(SendDlgItemMessageW(window, IDC_SUMMARY_ICON, STM_GETICON, 0, 0), 0);

    wchar_t computer[64] = {};
    DWORD size = 64;
    GetComputerNameW(computer, &size);
    const std::wstring metaLine = WindowText(GetDlgItem(window, -1));
    EXPECT_EQ(metaLine.rfind(L"Computer \"" + std::wstring(computer) + L"\", tested on ", 0), 0u)
        << "the template's \"Meta data\" is replaced";

    const ResultRowStore& rows = dialog.ResultRows();
    ASSERT_EQ(rows.ItemCount(), 4);
    EXPECT_EQ(rows.ItemText(0, 1), u"Windows is fine.");
    EXPECT_EQ(rows.ItemText(0, 0), u"Passed     ");
    EXPECT_EQ(rows.ItemImage(1, 0), kStatusImageWarning);
    EXPECT_EQ(rows.ItemText(3, 1), u"Card shown.");

    const std::vector<std::u16string> lines = CrLfLines(FormatReport(dialog.Run()));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(ToWide(lines[0]), metaLine);
    EXPECT_EQ(lines[4], u"Warning    Card reported.");
    EXPECT_EQ(lines[5],
              u"Warning    This computer meets the minimum system requirements of "
              u"Quarvel 2012. Please read the warnings.");
}

TEST_F(MainDialogTest, WithoutRowsShowsNoResultAndTheRedCross) {
    Load(L"Lang_De.Dll");
    MainDialog dialog(module_, *language_, {system_, graphics_});
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(WindowText(dialog.Window()), L"Quarvel 2012 Systemtest");
    EXPECT_EQ(dialog.ResultRows().ItemCount(), 0);
    EXPECT_EQ(WindowText(GetDlgItem(dialog.Window(), IDC_SUMMARY_STATUS)), L"Kein Ergebnis");
    EXPECT_EQ(CrLfLines(FormatReport(dialog.Run())).size(), 2u);
}

TEST_F(MainDialogTest, OkEndsWithOneEscapeAndTheCloseBoxWithTwo) {
    Load(L"Lang_En.Dll");
    const struct {
        const char* name;
        void (*close)(HWND window);
        int quitCode;
    } ways[] = {
        {"OK", [](HWND window) { SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0); }, 1},
        {"escape",
         [](HWND window) { PostMessageW(GetDlgItem(window, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }, 2},
        {"close box", [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        MainDialog dialog(module_, *language_, {system_, graphics_});
        ASSERT_TRUE(dialog.Create());
        ShowWindow(dialog.Window(), SW_SHOW);
        const HWND window = dialog.Window();
        way.close(window);
        EXPECT_EQ(module_.Loop().Run(), way.quitCode);
        EXPECT_FALSE(IsWindow(window));
    }
}

TEST_F(MainDialogTest, KeyboardAndScreenReaderWalkThroughTheResults) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    Load(L"Lang_En.Dll");
    system_.os = Result(CheckLevel::Passed, u"Windows is fine.");
    system_.memory = Result(CheckLevel::Warning, u"Memory is tight.");
    MainDialog dialog(module_, *language_, {system_, graphics_});
    ASSERT_TRUE(dialog.Create());
    const HWND window = dialog.Window();
    ShowWindow(window, SW_SHOW);
    const HWND list = GetDlgItem(window, IDC_RESULTS_LIST);
    ASSERT_EQ(GetFocus(), list) << "the results come first";

    ComPtr<IAccessible> results = AccessibleOf(list);
    ASSERT_TRUE(results);
    EXPECT_EQ(NameOf(*results.get(), CHILDID_SELF), WindowText(GetDlgItem(window, IDC_DESCRIPTION)))
        << "the text above the list labels it";
    EXPECT_EQ(NameOf(*results.get(), 1), L"Passed, Windows is fine.");
    EXPECT_EQ(NameOf(*results.get(), 2), L"Warning, Memory is tight.");
    ComPtr<IAccessible> icon = AccessibleOf(GetDlgItem(window, IDC_SUMMARY_ICON));
    ASSERT_TRUE(icon);
    EXPECT_EQ(NameOf(*icon.get(), CHILDID_SELF), L"Warning");

    // Down selects the first row and tells its focus.
    WinEventLog log(list, EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS);
    ASSERT_TRUE(log.Hooked());
    PressDialogKey(window, VK_DOWN);
    EXPECT_EQ(log.Entries(), (std::vector<WinEventEntry>{{EVENT_OBJECT_FOCUS, OBJID_CLIENT, 1}}));
    EXPECT_EQ(StateOf(*results.get(), 1) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);

    // Tab leaves the list for the buttons and comes back to it.
    for (int id : {IDC_REPORT_BUTTON, IDOK, IDC_RESULTS_LIST}) {
        PressDialogKey(window, VK_TAB);
        EXPECT_EQ(GetFocus(), GetDlgItem(window, id)) << id;
    }
    // Enter in the list is the default button's.
    PressDialogKey(window, VK_RETURN);
    EXPECT_EQ(module_.Loop().Run(), kQuitAccepted);
}

}  // namespace
