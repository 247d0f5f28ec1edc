// QuarvelSysTest.exe end to end: the real program in a folder of the shipped
// files, driven from outside the way a user drives it.
#include "systest/ui/tests/e2e/app_driver.h"
#include "systest/ui/tests/e2e/bundle_folder.h"

#include "common/tests/crlf_lines.h"
#include "common/win/wide.h"
#include "systest/resources/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kExitFailed = static_cast<DWORD>(-1);
// The id of a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring UserLanguage() {
    wchar_t code[30] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, code, 30);
    return code;
}

// What the user sees in the language the program picks for them: German for
// German users, English for everybody else.
struct LanguageTexts {
    std::wstring agreementCaption;
    std::wstring mainCaption;
    std::wstring agreementFirstLine;
};

LanguageTexts ExpectedTexts() {
    if (UserLanguage() == L"de") {
        return {L"Quarvel 2012 Systemtest \u2013 Lizenzvereinbarung", L"Quarvel 2012 Systemtest",
                L"LIZENZVEREINBARUNG F\u00dcR DEN SYSTEMTEST VON QUARVEL 2012"};
    }
    return {L"Quarvel 2012 System Test \u2013 License Agreement", L"Quarvel 2012 System Test",
            L"LICENSE AGREEMENT FOR THE QUARVEL 2012 SYSTEM TEST"};
}

std::wstring ListBoxLine(HWND dialog, int id, int line) {
    wchar_t text[512] = {};
    SendMessageW(GetDlgItem(dialog, id), LB_GETTEXT, static_cast<WPARAM>(line),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

class QuarvelSysTestRun : public testing::Test {
  protected:
    void TearDown() override {
        DWORD exitCode = 0;
        if (!app_.WaitForExit(0, exitCode)) {
            app_.Terminate();
        }
    }

    void Start(const std::vector<std::wstring>& leftOut = {}) {
        bundle_ = std::make_unique<BundleFolder>(leftOut);
        ASSERT_TRUE(app_.Start(bundle_->Program(), L"", bundle_->Path()));
    }

    HWND WaitForAgreement() {
        const HWND page = app_.WaitForWindow(texts_.agreementCaption);
        EXPECT_NE(page, nullptr) << "no agreement page";
        return page;
    }

    HWND AcceptAgreement() {
        const HWND page = WaitForAgreement();
        if (page == nullptr) {
            return nullptr;
        }
        ClickButton(page, IDC_ACCEPT_BOX);
        ClickButton(page, IDOK);
        const HWND main = app_.WaitForWindow(texts_.mainCaption);
        EXPECT_NE(main, nullptr) << "no main dialog";
        return main;
    }

    DWORD ExitCode() {
        DWORD exitCode = 0;
        EXPECT_TRUE(app_.WaitForExit(kDefaultTimeoutMs, exitCode)) << "the program did not end";
        return exitCode;
    }

    LanguageTexts texts_ = ExpectedTexts();
    std::unique_ptr<BundleFolder> bundle_;
    AppDriver app_;
};

TEST_F(QuarvelSysTestRun, DecliningTheAgreementEndsWithTwoAndRunsNoCheck) {
    const struct {
        const char* name;
        void (*decline)(HWND page);
    } ways[] = {
        {"decline button", [](HWND page) { ClickButton(page, IDCANCEL); }},
        {"escape", [](HWND page) { PressKey(page, VK_ESCAPE); }},
        {"close box", [](HWND page) { PostMessageW(page, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Start();
        const HWND page = WaitForAgreement();
        ASSERT_NE(page, nullptr);
        way.decline(page);
        EXPECT_EQ(ExitCode(), 2u);
        // The diagnostic writes its log where it runs; no checks, no log.
        EXPECT_TRUE(bundle_->Files(u"vexmira_*.txt").empty());
    }
}

TEST_F(QuarvelSysTestRun, TickingTheBoxTogglesTheAcceptButton) {
    Start();
    const HWND page = WaitForAgreement();
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(IsItemEnabled(page, IDOK));
    for (int round = 0; round < 2; ++round) {
        ClickButton(page, IDC_ACCEPT_BOX);
        EXPECT_TRUE(IsItemEnabled(page, IDOK));
        ClickButton(page, IDC_ACCEPT_BOX);
        EXPECT_FALSE(IsItemEnabled(page, IDOK));
    }
    ClickButton(page, IDCANCEL);
    EXPECT_EQ(ExitCode(), 2u);
}

TEST_F(QuarvelSysTestRun, AgreementPageSpeaksTheUserLanguage) {
    Start();
    const HWND page = WaitForAgreement();
    ASSERT_NE(page, nullptr);
    EXPECT_GT(ListBoxCount(page, IDC_AGREEMENT_TEXT), 20);
    EXPECT_EQ(ListBoxLine(page, IDC_AGREEMENT_TEXT, 0), texts_.agreementFirstLine);
    ClickButton(page, IDCANCEL);
    EXPECT_EQ(ExitCode(), 2u);
}

TEST_F(QuarvelSysTestRun, AcceptThenOkEndsWithOneAndEscapeWithTwo) {
    const struct {
        const char* name;
        void (*close)(HWND main);
        DWORD exitCode;
    } ways[] = {
        {"OK", [](HWND main) { ClickButton(main, IDOK); }, 1},
        {"escape", [](HWND main) { PressKey(main, VK_ESCAPE); }, 2},
        {"close box", [](HWND main) { PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Start();
        const HWND main = AcceptAgreement();
        ASSERT_NE(main, nullptr);
        EXPECT_FALSE(app_.HasWindow(texts_.agreementCaption));
        way.close(main);
        EXPECT_EQ(ExitCode(), way.exitCode);
    }
}

TEST_F(QuarvelSysTestRun, WithoutALanguageLibraryAFatalErrorNamesTheMissingOne) {
    Start({L"Lang_En.Dll", L"Lang_De.Dll"});
    const HWND box = app_.WaitForWindow(L"Fatal Error");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(app_.HasWindow(texts_.agreementCaption));
    EXPECT_EQ(ItemText(box, kMessageBoxTextId), L"Can't initialize language Dll / " +
                                                    bundle_->Path() + L"Lang_" + UserLanguage() +
                                                    L".Dll");
    ClickButton(box, IDOK);
    EXPECT_EQ(ExitCode(), kExitFailed);
}

TEST_F(QuarvelSysTestRun, MainDialogShowsTheRealChecksAndTheReportButtonWritesThemTwice) {
    DeleteFileW(ReportFilePath().c_str());
    Start();
    const HWND main = AcceptAgreement();
    ASSERT_NE(main, nullptr);
    // The diagnostic ran in the program's folder and wrote its log there.
    EXPECT_EQ(bundle_->Files(u"vexmira_*.txt").size(), 1u);

    const std::wstring metaLine = ItemText(main, -1);
    const std::wstring status = ItemText(main, IDC_SUMMARY_STATUS);
    const std::wstring summary = ItemText(main, IDC_SUMMARY_TEXT);
    EXPECT_NE(metaLine, L"Meta data");
    EXPECT_FALSE(summary.empty());

    std::string reports[2];
    for (std::string& report : reports) {
        ClickButton(main, IDC_REPORT_BUTTON);
        // The report opens in the program registered for text files.
        const HWND viewer = WaitForAnyWindowContaining(L"QuarvelSysTest");
        ASSERT_NE(viewer, nullptr) << "the report was not opened";
        report = ReadBytes(FromWide(ReportFilePath()));
        EXPECT_FALSE(report.empty()) << "no report was written";
        PostMessageW(viewer, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(reports[0], reports[1]);

    const std::string& report = reports[0];
    ASSERT_EQ(report.rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 with a byte order mark";
    const std::vector<std::string> lines = CrLfLines(std::string_view(report).substr(3));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), Utf8(metaLine));
    EXPECT_EQ(lines.back(), Utf8(status + summary));
    // This machine's real facts: the 1600 x 1200 screen of the test session.
    bool screenRow = false;
    for (const std::string& line : lines) {
        screenRow = screenRow || line.find("1600 \xC3\x97 1200") != std::string::npos;
    }
    EXPECT_TRUE(screenRow) << report;

    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);
}

}  // namespace
