// QuarvelSysTest.exe end to end: the real program in a folder of the shipped
// files, driven from outside the way a user drives it.
#include "systest/ui/tests/e2e/app_driver.h"
#include "systest/ui/tests/e2e/bundle_folder.h"
#include "systest/ui/tests/e2e/watched_run.h"

#include "common/tests/crlf_lines.h"
#include "common/tests/wine/accessible_reading.h"
#include "common/tests/wine/bad_files.h"
#include "common/tests/wine/console_screen.h"
#include "common/tests/wine/environment_variable.h"
#include "common/tests/wine/temp_folder.h"
#include "common/tests/wine/win_event_log.h"
#include "common/win/clipboard.h"
#include "common/win/com.h"
#include "common/win/handles.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"
#include "systest/resources/resource.h"
#include "systest/ui/command_line.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kExitFailed = static_cast<DWORD>(-1);
constexpr DWORD kExitBadCommandLine = static_cast<DWORD>(-2);
constexpr DWORD kExitDeclined = 2;
constexpr DWORD kNoExitCode = 0xDEAD;
// The id of a message box's text.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring UserLocaleInfo(LCTYPE item) {
    wchar_t name[30] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, item, name, 30);
    return name;
}

// What the user sees in the language the program picks for the test
// session's locale: its own where the session has a locale of ours, English
// for everybody else.
struct LanguageTexts {
    std::wstring language;  // of the locale, and its region where it matters
    std::wstring region;
    std::wstring library;  // the language library looked for first
    std::wstring agreementCaption;
    std::wstring mainCaption;
    std::wstring agreementFirstLine;
    std::wstring cannotWrite;    // the console's line up to the reason, %s the file
    std::wstring metaLineStart;  // of the report's first line
};

LanguageTexts ExpectedTexts() {
    const std::wstring language = UserLocaleInfo(LOCALE_SISO639LANGNAME);
    const std::wstring region = UserLocaleInfo(LOCALE_SISO3166CTRYNAME);
    const LanguageTexts texts[] = {
        {L"de", L"", L"Lang_de.Dll", L"Quarvel 2012 Systemtest \u2013 Lizenzvereinbarung",
         L"Quarvel 2012 Systemtest", L"LIZENZVEREINBARUNG F\u00dcR DEN SYSTEMTEST VON QUARVEL 2012",
         L"%s konnte nicht geschrieben werden: ", L"Computer \""},
        {L"fr", L"", L"Lang_fr.Dll", L"Test syst\u00e8me Quarvel 2012 \u2013 Contrat de licence",
         L"Test syst\u00e8me Quarvel 2012",
         L"CONTRAT DE LICENCE DU TEST SYST\u00c8ME DE QUARVEL 2012",
         L"%s n'a pas pu \u00eatre \u00e9crit\u00a0: ", L"Ordinateur \""},
        {L"ja", L"", L"Lang_ja.Dll",
         L"Quarvel 2012 \u30b7\u30b9\u30c6\u30e0 \u30c6\u30b9\u30c8 \u2013 "
         L"\u4f7f\u7528\u8a31\u8afe\u5951\u7d04\u66f8",
         L"Quarvel 2012 \u30b7\u30b9\u30c6\u30e0 \u30c6\u30b9\u30c8",
         L"QUARVEL 2012 \u30b7\u30b9\u30c6\u30e0 \u30c6\u30b9\u30c8"
         L"\u4f7f\u7528\u8a31\u8afe\u5951\u7d04\u66f8",
         L"%s \u306b\u66f8\u304d\u8fbc\u3081\u307e\u305b\u3093\u3067\u3057\u305f: ",
         L"\u30b3\u30f3\u30d4\u30e5\u30fc\u30bf\u30fc \""},
        // Chinese by the region's script.
        {L"zh", L"TW", L"Lang_zh-Hant.Dll",
         L"Quarvel 2012 \u7cfb\u7d71\u6e2c\u8a66 \u2013 \u6388\u6b0a\u5408\u7d04",
         L"Quarvel 2012 \u7cfb\u7d71\u6e2c\u8a66",
         L"QUARVEL 2012 \u7cfb\u7d71\u6e2c\u8a66\u6388\u6b0a\u5408\u7d04",
         L"\u7121\u6cd5\u5beb\u5165 %s\uff1a", L"\u96fb\u8166 \""},
        {L"zh", L"CN", L"Lang_zh-Hans.Dll",
         L"Quarvel 2012 \u7cfb\u7edf\u6d4b\u8bd5 \u2013 \u8bb8\u53ef\u534f\u8bae",
         L"Quarvel 2012 \u7cfb\u7edf\u6d4b\u8bd5",
         L"QUARVEL 2012 \u7cfb\u7edf\u6d4b\u8bd5\u8bb8\u53ef\u534f\u8bae",
         L"\u65e0\u6cd5\u5199\u5165 %s\uff1a", L"\u8ba1\u7b97\u673a \""},
    };
    for (const LanguageTexts& t : texts) {
        if (t.language == language && (t.region.empty() || t.region == region)) {
            return t;
        }
    }
    return {language,
            region,
            L"Lang_" + language + L".Dll",
            L"Quarvel 2012 System Test \u2013 License Agreement",
            L"Quarvel 2012 System Test",
            L"LICENSE AGREEMENT FOR THE QUARVEL 2012 SYSTEM TEST",
            L"%s could not be written: ",
            L"Computer \""};
}

std::wstring ListBoxLine(HWND dialog, int id, int line) {
    wchar_t text[512] = {};
    SendMessageW(GetDlgItem(dialog, id), LB_GETTEXT, static_cast<WPARAM>(line),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

// The setting dpiAware of a program's manifest, as Windows reads it from the
// activation context when the program starts; what went wrong otherwise.
std::wstring DpiAwareSetting(const std::wstring& program) {
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = program.c_str();
    context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    const HANDLE manifest = CreateActCtxW(&context);
    if (manifest == INVALID_HANDLE_VALUE) {
        return L"no manifest";
    }
    wchar_t value[32] = {};
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, manifest, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                              L"dpiAware", value, std::size(value), &written)) {
        wcscpy_s(value, L"no dpiAware setting");
    }
    ReleaseActCtx(manifest);
    return value;
}

TEST(ShippedPrograms, DeclareSystemDpiAwareness) {
    // So Windows gives them the screen's real pixels instead of scaling them.
    for (const wchar_t* program : {L"QuarvelSysTest.exe", L"Vexmira.exe"}) {
        EXPECT_EQ(DpiAwareSetting(ToWide(ProgramFolder()) + program), L"true")
            << testing::PrintToString(std::wstring(program));
    }
}

// Each wait fails the test within its own limit. Whatever the test started
// ends with it, passed or failed, before its folder is removed.
class QuarvelSysTestRun : public testing::Test {
  protected:
    void TearDown() override { app_.Terminate(); }

    // Starts the program of a new bundle, in the bundle's folder unless
    // another working directory is given.
    void Start(const std::vector<std::wstring>& leftOut = {},
               const std::wstring& workingDirectory = {}) {
        bundle_ = std::make_unique<BundleFolder>(leftOut);
        Launch(workingDirectory);
    }
    // Starts the program in the bundle made before.
    void Launch(const std::wstring& workingDirectory = {}) {
        ASSERT_TRUE(app_.Start(bundle_->Program(), L"",
                               workingDirectory.empty() ? bundle_->Path() : workingDirectory));
    }

    // The launcher tests' stand-in in the place of the bundle's Vexmira.exe;
    // its environment says what it does.
    void UseStandInDiagnostic() {
        ASSERT_TRUE(CopyFileW((ToWide(ProgramFolder()) + L"diagnostic_stand_in.exe").c_str(),
                              (bundle_->Path() + L"Vexmira.exe").c_str(), FALSE));
    }

    HWND WaitForAgreement() {
        const HWND page = app_.WaitForWindow(texts_.agreementCaption, kWindowTimeoutMs);
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

    // The report's lines after its byte order mark, written and opened with
    // the report button.
    std::vector<std::string> ReportLines(HWND main) {
        const std::string report = SaveReport(main);
        EXPECT_EQ(report.rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 with a byte order mark";
        return report.size() < 3 ? std::vector<std::string>{}
                                 : CrLfLines(std::string_view(report).substr(3));
    }

    // The exit code, or kNoExitCode when the program did not end in time.
    DWORD ExitCode() {
        DWORD exitCode = kNoExitCode;
        EXPECT_TRUE(app_.WaitForExit(kExitTimeoutMs, exitCode)) << "the program did not end";
        return exitCode;
    }

    // Clicks the report button and reads what it wrote; the report opens in the
    // program registered for text files, which is closed again.
    std::string SaveReport(HWND main) {
        DeleteFileW(ReportFilePath().c_str());
        ClickButton(main, IDC_REPORT_BUTTON);
        const HWND viewer = WaitForAnyWindowContaining(L"QuarvelSysTest");
        EXPECT_NE(viewer, nullptr) << "the report was not opened";
        const std::string report = ReadBytes(FromWide(ReportFilePath()));
        EXPECT_FALSE(report.empty()) << "no report was written";
        if (viewer != nullptr) {
            PostMessageW(viewer, WM_CLOSE, 0, 0);
        }
        return report;
    }

    // A run with "-silent" in a folder of its own, without the files left out.
    WatchedRun RunSilent(const std::wstring& arguments,
                         const std::vector<std::wstring>& leftOut = {}, HANDLE output = nullptr) {
        bundle_ = std::make_unique<BundleFolder>(leftOut);
        return RunWatched(bundle_->Program(), arguments, bundle_->Path(), output);
    }

    LanguageTexts texts_ = ExpectedTexts();
    std::unique_ptr<BundleFolder> bundle_;
    AppDriver app_;
};

// A window that never comes fails the wait within its limit, and the program
// ends with the driver's job even when nothing closes it: a test that fails,
// or a test program that dies, leaves no program running.
TEST(AppDriver, AWindowThatNeverComesFailsInTimeAndTheProgramEndsWithTheDriver) {
    const BundleFolder bundle;
    UniqueKernelHandle process;
    {
        AppDriver app;
        ASSERT_TRUE(app.Start(bundle.Program(), L"", bundle.Path()));
        process.reset(OpenProcess(SYNCHRONIZE, FALSE, app.ProcessId()));
        ASSERT_TRUE(process.valid());
        const DWORD start = GetTickCount();
        EXPECT_EQ(app.WaitForWindow(L"No such window", 2000), nullptr);
        EXPECT_LT(GetTickCount() - start, 10000u);
        EXPECT_EQ(WaitForSingleObject(process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    }
    EXPECT_EQ(WaitForSingleObject(process.get(), kExitTimeoutMs),
              static_cast<DWORD>(WAIT_OBJECT_0));
}

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
        ASSERT_EQ(ExitCode(), 2u);
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
        ASSERT_EQ(ExitCode(), way.exitCode);
    }
}

TEST_F(QuarvelSysTestRun, WithoutALanguageLibraryAFatalErrorNamesTheMissingOne) {
    Start(ShippedLanguageLibraries());
    const HWND box = app_.WaitForWindow(L"Fatal Error", kWindowTimeoutMs);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(app_.HasWindow(texts_.agreementCaption));
    EXPECT_EQ(ItemText(box, kMessageBoxTextId),
              L"Can't initialize language Dll / " + bundle_->Path() + texts_.library);
    ClickButton(box, IDOK);
    EXPECT_EQ(ExitCode(), kExitFailed);
}

// As a screen reader reads the results: from its own process, through the
// list's accessible object and the WinEvents of the list.
TEST_F(QuarvelSysTestRun, ScreenReaderInAnotherProcessReadsTheResults) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    Start();
    const HWND main = AcceptAgreement();
    ASSERT_NE(main, nullptr);
    const HWND list = GetDlgItem(main, IDC_RESULTS_LIST);
    ComPtr<IAccessible> results;
    ASSERT_HRESULT_SUCCEEDED(
        AccessibleObjectFromWindow(list, OBJID_CLIENT, __uuidof(IAccessible), results.put_void()));
    LONG children = 0;
    ASSERT_HRESULT_SUCCEEDED(results->get_accChildCount(&children));
    ASSERT_GE(children, 2) << "rows and the header after them";

    // One list item per row: its status word, then its text.
    bool screenRow = false;
    for (LONG id = 1; id < children; ++id) {
        EXPECT_EQ(RoleOf(*results.get(), id), ROLE_SYSTEM_LISTITEM);
        const std::wstring text = NameOf(*results.get(), id);
        const bool statusFirst = text.rfind(L"Passed, ", 0) == 0 ||
                                 text.rfind(L"Warning, ", 0) == 0 ||
                                 text.rfind(L"Failed, ", 0) == 0;
        EXPECT_TRUE(statusFirst) << Utf8(text);
        screenRow = screenRow || text.find(L"1600 \u00d7 1200") != std::wstring::npos;
    }
    EXPECT_TRUE(screenRow) << "the row of this session's screen";

    // A row selected with the keyboard is selected and focused, and told so.
    ASSERT_TRUE(WaitForFocus(list, kDefaultTimeoutMs)) << "the results come first";
    WinEventLog log(list, EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS);
    ASSERT_TRUE(log.Hooked());
    PressKey(main, VK_DOWN);
    EXPECT_TRUE(log.WaitFor({EVENT_OBJECT_FOCUS, OBJID_CLIENT, 1}, kDefaultTimeoutMs))
        << testing::PrintToString(log.Entries());
    EXPECT_EQ(StateOf(*results.get(), 1) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);

    // Tab leaves the list for the report button.
    PressKey(main, VK_TAB);
    EXPECT_TRUE(WaitForFocus(GetDlgItem(main, IDC_REPORT_BUTTON), kDefaultTimeoutMs));
    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);
}

// A language library that is there but does not load counts as missing, and
// so does a library of another kind (a system DLL named Lang_En.Dll gave rows
// of empty texts): with no other, the fatal error names the library of the
// user's language.
TEST_F(QuarvelSysTestRun, UnloadableLanguageLibraryIsAFatalErrorNamingIt) {
    const std::string library = ReadBytes(ProgramFolder() + u"Lang_En.Dll");
    ASSERT_FALSE(library.empty());
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::string systemLibrary = ReadBytes(FromWide(system) + u"\\shell32.dll");
    ASSERT_FALSE(systemLibrary.empty());
    const std::vector<std::wstring> noLibraries = ShippedLanguageLibraries();
    const struct {
        const char* what;
        BadFile kind;
        std::string bytes;  // written when the kind is Missing
    } cases[] = {
        {"empty", BadFile::Empty, {}},
        {"folder", BadFile::Folder, {}},
        {"locked", BadFile::Locked, {}},
        {"huge", BadFile::Huge, {}},
        {"binary", BadFile::Binary, {}},
        {"UTF-16 text", BadFile::Utf16, {}},
        {"the library cut in half", BadFile::Missing, library.substr(0, library.size() / 2)},
        {"a system DLL", BadFile::Missing, systemLibrary},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bundle_ = std::make_unique<BundleFolder>(noLibraries);
        const std::u16string path = FromWide(bundle_->Path()) + u"Lang_En.Dll";
        const PlacedBadFile bad(path, c.kind, u"STRINGTABLE");
        if (c.kind == BadFile::Missing) {
            ASSERT_TRUE(WriteBytes(path, c.bytes));
        }
        Launch();
        const HWND box = app_.WaitForWindow(L"Fatal Error", kWindowTimeoutMs);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(ItemText(box, kMessageBoxTextId),
                  L"Can't initialize language Dll / " + bundle_->Path() + texts_.library);
        ClickButton(box, IDOK);
        ASSERT_EQ(ExitCode(), kExitFailed);
    }
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

    // Pressed twice, the button writes the same report twice.
    const std::vector<std::string> lines = ReportLines(main);
    EXPECT_EQ(ReportLines(main), lines);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), Utf8(metaLine));
    // The report pads the status word into its first column; the dialog does
    // not. The adapters Windows reported follow the summary.
    const auto summaryLine = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.ends_with(Utf8(summary));
    });
    ASSERT_NE(summaryLine, lines.end());
    EXPECT_EQ(summaryLine->rfind(Utf8(status), 0), 0u) << *summaryLine;
    ASSERT_NE(summaryLine + 1, lines.end());
    EXPECT_EQ(*(summaryLine + 1), "The graphics adapters that Windows reports:");
    // This machine's real facts: the 1600 x 1200 screen of the test session.
    bool screenRow = false;
    for (const std::string& line : lines) {
        screenRow = screenRow || line.find("1600 \xC3\x97 1200") != std::string::npos;
    }
    EXPECT_TRUE(screenRow) << testing::PrintToString(lines);

    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);
}

// What a silent run must never do, whatever else it does.
void ExpectNoWindow(const WatchedRun& run) {
    EXPECT_TRUE(run.ended) << "the program showed a window or did not end";
    EXPECT_EQ(run.dialogsCreated, 0) << "a dialog or message box was created";
    EXPECT_EQ(run.visibleWindowsSeen, 0);
}

// The program's lines on a console: the report's lines without the meta line.
// The rows of a report and its summary line, which ends with summary: the
// lines between the meta line and the adapters Windows reported.
std::vector<std::string> ReportRowsAndSummary(const std::string& report,
                                              const std::string& summary) {
    std::vector<std::string> lines = CrLfLines(std::string_view(report).substr(3));
    lines.erase(lines.begin());
    const auto last = std::find_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.ends_with(summary);
    });
    lines.erase(last == lines.end() ? last : last + 1, lines.end());
    return lines;
}

// An inheritable file for a child's standard output.
UniqueFileHandle CreateOutputFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    return UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST_F(QuarvelSysTestRun, TheWatchSeesTheWindowsOfAnInteractiveRun) {
    bundle_ = std::make_unique<BundleFolder>();
    const WatchedRun run = RunWatched(bundle_->Program(), L"", bundle_->Path());
    EXPECT_FALSE(run.ended);
    EXPECT_GE(run.dialogsCreated, 1) << "the agreement page went unseen";
}

TEST_F(QuarvelSysTestRun, SilentRunWritesWhatTheReportButtonWritesAndEndsWithTheOverallLevel) {
    Start();
    const HWND main = AcceptAgreement();
    ASSERT_NE(main, nullptr);
    const std::string interactive = SaveReport(main);
    const std::wstring summary = ItemText(main, IDC_SUMMARY_TEXT);
    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);
    ASSERT_EQ(interactive.rfind("\xEF\xBB\xBF", 0), 0u);
    DeleteFileW(ReportFilePath().c_str());

    const TempFolder console(u"qst_console");
    const std::u16string consolePath = console.File(u"console.txt");
    WatchedRun run;
    {
        const UniqueFileHandle output = CreateOutputFile(ToWide(consolePath));
        run = RunSilent(L"-silent -acceptagreement -report r.txt -json r.json", {}, output.get());
    }
    ExpectNoWindow(run);
    // The diagnostic ran, as in the interactive run.
    EXPECT_EQ(bundle_->Files(u"vexmira_*.txt").size(), 1u);
    const std::u16string folder = FromWide(bundle_->Path());
    const std::string report = ReadBytes(folder + u"r.txt");
    EXPECT_EQ(MaskVaryingFacts(report), MaskVaryingFacts(interactive));
    EXPECT_EQ(GetFileAttributesW(ReportFilePath().c_str()), INVALID_FILE_ATTRIBUTES)
        << "the report went to the temporary folder too";
    EXPECT_TRUE(bundle_->Files(u"*.tmp").empty()) << "a temporary file was left";

    const std::vector<std::string> rows = ReportRowsAndSummary(report, Utf8(summary));
    EXPECT_EQ(CrLfLines(ReadBytes(consolePath)), rows);

    // Parsed and checked against its schema by results_json_check.py; here
    // only what ties it to the report and the exit code.
    const std::string json = ReadBytes(folder + u"r.json");
    ASSERT_EQ(json.rfind("{\r\n", 0), 0u) << "no byte order mark, an object";
    // Both speak the user's language, as the dialogs do, in every script.
    EXPECT_EQ(report.rfind("\xEF\xBB\xBF" + Utf8(texts_.metaLineStart), 0), 0u) << report;
    EXPECT_NE(json.find("\"summary\": \"" + Utf8(summary) + "\""), std::string::npos) << json;
    ASSERT_GE(run.exitCode, 1u);
    ASSERT_LE(run.exitCode, 5u);
    EXPECT_NE(json.find("\"overall\": {\r\n    \"level\": " + std::to_string(run.exitCode) + ","),
              std::string::npos)
        << json;
    size_t checks = 0;
    for (size_t at = json.find("\"key\": "); at != std::string::npos;
         at = json.find("\"key\": ", at + 1)) {
        ++checks;
    }
    EXPECT_EQ(checks, rows.size() - 1) << json;

    // Without -report the report goes where the report button puts it.
    const WatchedRun usual = RunSilent(L"-SILENT -AcceptAgreement");
    ExpectNoWindow(usual);
    EXPECT_EQ(usual.exitCode, run.exitCode);
    EXPECT_EQ(MaskVaryingFacts(ReadBytes(FromWide(ReportFilePath()))),
              MaskVaryingFacts(interactive));
}

// The row of a diagnostic that could not be started, as the results file has it.
constexpr char kDiagnosticNotStartedJson[] =
    "\"key\": \"diagnostic\",\r\n      \"level\": 2,\r\n      \"measured\": true,\r\n"
    "      \"status\": \"Warning\",\r\n"
    "      \"text\": \"The graphics test could not be started; the graphics card and its driver "
    "were not checked.\"";

// Neither the warning of a diagnostic that cannot be started nor the boxes of
// "-verbosevideo" appear in a silent run. Without the diagnostic the graphics
// card goes unchecked: a warning row, and the run does not pass (it did).
TEST_F(QuarvelSysTestRun, SilentRunWithoutTheDiagnosticShowsNoBoxAndDoesNotPass) {
    const WatchedRun run =
        RunSilent(L"-verbosevideo -silent -acceptagreement -json r.json", {L"Vexmira.exe"});
    ExpectNoWindow(run);
    EXPECT_GE(run.exitCode, 1u);
    EXPECT_LE(run.exitCode, 2u) << "passed without the graphics test";
    const std::string json = ReadBytes(FromWide(bundle_->Path()) + u"r.json");
    EXPECT_NE(json.find("\"diagnosticExitCode\": -1,"), std::string::npos) << json;
    if (texts_.language == L"en") {
        EXPECT_NE(json.find(kDiagnosticNotStartedJson), std::string::npos) << json;
    }
}

TEST_F(QuarvelSysTestRun, SilentRunFailuresEndWithTheirCodeAndWriteNothing) {
    const struct {
        const char* name;
        std::wstring arguments;
        std::vector<std::wstring> leftOut;
        DWORD exitCode;
    } cases[] = {
        {"agreement not accepted, files named",
         L"-silent -report r.txt -json r.json",
         {},
         kExitDeclined},
        // A bad command line ends the run (the faults are a native table of the
        // parser), even one whose fault stands before "-silent".
        {"unknown switch first", L"-foo -silent -acceptagreement", {}, kExitBadCommandLine},
        {"folder missing",
         L"-silent -acceptagreement -report missing\\r.txt",
         {},
         kExitBadCommandLine},
        {"one file for both, in any letter",
         L"-silent -acceptagreement -report \u00C4.txt -json \u00E4.txt",
         {},
         kExitBadCommandLine},
        {"read-only file", L"-silent -acceptagreement -json old.json", {}, kExitBadCommandLine},
        {"no language library", L"-silent -acceptagreement -report r.txt",
         ShippedLanguageLibraries(), kExitFailed},
    };
    const std::string earlier = "{\"earlier\": true}";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bundle_ = std::make_unique<BundleFolder>(c.leftOut);
        const std::u16string old = FromWide(bundle_->Path()) + u"old.json";
        WriteBytes(old, earlier);
        SetFileAttributesW(WideCStr(old), FILE_ATTRIBUTE_READONLY);

        const WatchedRun run = RunWatched(bundle_->Program(), c.arguments, bundle_->Path());
        ExpectNoWindow(run);
        EXPECT_EQ(run.exitCode, c.exitCode);
        // No check ran, and no file was written or left half-written.
        EXPECT_TRUE(bundle_->Files(u"vexmira_*.txt").empty());
        EXPECT_TRUE(bundle_->Files(u"r.*").empty());
        EXPECT_TRUE(bundle_->Files(u"*.tmp").empty());
        EXPECT_EQ(ReadBytes(old), earlier);
        SetFileAttributesW(WideCStr(old), FILE_ATTRIBUTE_NORMAL);
    }
}

// The size of a file, read from its folder without opening it; 0 when there
// is none.
DWORD FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

// A virus scanner, or a collecting script, holds a target open without
// sharing. Held for a moment, the run waits for it; held for longer than the
// run waits, neither file is replaced: the pair on the share is never mixed.
TEST_F(QuarvelSysTestRun, SilentRunWaitsForAFileHeldOpenAndOtherwiseKeepsBothEarlierFiles) {
    const std::string earlierResults = "{\"earlier\": true}";
    const struct {
        const char* name;
        std::string earlierReport;  // empty: none
        const wchar_t* held;
        DWORD forMs;  // from the moment the new report is in place
    } cases[] = {
        {"results held for 300 ms", "earlier report", L"r.json", 300},
        {"report held all along", "earlier report", L"r.txt", INFINITE},
        {"results held all along", "earlier report", L"r.json", INFINITE},
        {"results held all along, no earlier report", "", L"r.json", INFINITE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bundle_ = std::make_unique<BundleFolder>();
        const std::wstring folder = bundle_->Path();
        if (!c.earlierReport.empty()) {
            ASSERT_TRUE(WriteBytes(FromWide(folder) + u"r.txt", c.earlierReport));
        }
        ASSERT_TRUE(WriteBytes(FromWide(folder) + u"r.json", earlierResults));
        UniqueFileHandle held(CreateFileW((folder + c.held).c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.valid());
        const UniqueKernelHandle runEnded(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        std::thread scanner([&] {
            while (FileSize(folder + L"r.txt") == c.earlierReport.size() &&
                   WaitForSingleObject(runEnded.get(), 5) == WAIT_TIMEOUT) {
            }
            if (WaitForSingleObject(runEnded.get(), c.forMs) == WAIT_TIMEOUT) {
                held.reset();
            }
        });
        const WatchedRun run = RunWatched(
            bundle_->Program(), L"-silent -acceptagreement -report r.txt -json r.json", folder);
        SetEvent(runEnded.get());
        scanner.join();
        held.reset();

        ExpectNoWindow(run);
        const std::string report = ReadBytes(FromWide(folder) + u"r.txt");
        const std::string results = ReadBytes(FromWide(folder) + u"r.json");
        if (c.forMs == INFINITE) {
            EXPECT_EQ(run.exitCode, kExitBadCommandLine);
            EXPECT_EQ(report, c.earlierReport);
            EXPECT_EQ(results, earlierResults);
        } else {
            EXPECT_GE(run.exitCode, 1u);
            EXPECT_LE(run.exitCode, 4u);
            EXPECT_EQ(report.rfind("\xEF\xBB\xBF", 0), 0u) << report;
            EXPECT_EQ(results.rfind("{\r\n", 0), 0u) << results;
        }
        EXPECT_TRUE(bundle_->Files(u"*.tmp").empty()) << "a temporary file was left";
    }
}

// Started from a console, a silent run answers there. Wine attaches a GUI program to its parent's
// console when it starts it and hands it the console's handles, where Windows leaves the attaching
// to the program's AttachConsole; a program started without usable standard handles, as a command
// prompt starts a GUI program, takes the way Windows makes it take: opening the console ("CONOUT$")
// to write to it.
TEST_F(QuarvelSysTestRun, SilentRunAnswersOnTheConsoleThatStartedIt) {
    const struct {
        const char* how;
        HANDLE output;  // for the program's standard handles; null: Wine's own
    } starts[] = {
        {"with the console's handles", nullptr},
        {"without usable standard handles", INVALID_HANDLE_VALUE},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.how);
        const UniqueFileHandle screen = NewConsoleScreen(400, 100);
        ASSERT_TRUE(screen.valid());

        // Fails before the checks: the folder of the report is missing.
        const WatchedRun run =
            RunSilent(L"-silent -acceptagreement -report Ma\u00DFe\\r.txt", {}, start.output);
        ExpectNoWindow(run);
        EXPECT_EQ(run.exitCode, kExitBadCommandLine);

        const std::vector<std::wstring> rows = ConsoleRows(screen.get());
        std::wstring line = texts_.cannotWrite;
        line.replace(line.find(L"%s"), 2, bundle_->Path() + L"Ma\u00DFe\\r.txt");
        ASSERT_EQ(rows.size(), 1u) << Utf8(rows.empty() ? L"" : rows.back());
        EXPECT_EQ(rows[0].rfind(line, 0), 0u) << Utf8(rows[0]);
    }
}

// The report's lines with drive letters blanked: of two drives with the same
// free space, which one has more changes from one moment to the next when
// other programs write.
std::vector<std::string> WithoutDriveLetters(std::vector<std::string> lines) {
    const std::regex drive("\\b[A-Z]:");
    for (std::string& line : lines) {
        line = std::regex_replace(line, drive, "?:");
    }
    return lines;
}

TEST_F(QuarvelSysTestRun, StartedFromAnotherFolderGivesTheSameRows) {
    Start();
    HWND main = AcceptAgreement();
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> fromItsFolder = WithoutDriveLetters(ReportLines(main));
    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);

    // As from a shortcut whose "Start in" is another folder: the language
    // library, the agreement, the diagnostic, its list and its shaders are
    // still found beside the program.
    const TempFolder elsewhere(u"qst_elsewhere");
    Start({}, ToWide(elsewhere.Path()));
    const HWND page = WaitForAgreement();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ListBoxLine(page, IDC_AGREEMENT_TEXT, 0), texts_.agreementFirstLine);
    main = AcceptAgreement();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WithoutDriveLetters(ReportLines(main)), fromItsFolder);
    EXPECT_EQ(bundle_->Files(u"vexmira_*.txt").size(), 1u) << "the diagnostic runs in its folder";
    EXPECT_TRUE(FilesIn(elsewhere.Path(), u"*").empty());
    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);
}

// Files that anyone may leave in a download folder, where Windows would look
// for our programs' DLLs and for Vexmira.exe. The planted library
// (planted_library.cpp) leaves "<its path>.ran" when any code of it runs; it
// carries the English strings, so as a language library it is a good one.
// Wine takes its own copy of a system DLL whatever lies on the search path,
// which would hide a planted one: a DLL override makes it take a native copy
// found first, as Windows does with every DLL that is no KnownDLL. The
// override is set in the prefix's registry for the programs started here:
// Wine takes WINEDLLOVERRIDES from the Unix environment a process starts
// with, not from the environment block its Windows parent passes on.
//
// Two of them Wine's own DLLs load before any code of ours runs, where
// Windows' do not: version.dll, which Wine's user32.dll imports, and
// uxtheme.dll, which Wine's comctl32.dll loads as it starts; under an
// override a planted copy would run whatever the programs did. So both are
// planted beside a stand-in that imports neither DLL (preload_probe.cpp), and
// uxtheme.dll also beside Vexmira.exe, which imports no comctl32.dll.
constexpr const wchar_t* kPlantedBesideThePrograms[] = {
    L"oleacc.dll",  L"opengl32.dll", L"dwmapi.dll",  L"cryptbase.dll", L"clbcatq.dll",
    L"ntmarta.dll", L"setupapi.dll", L"apphelp.dll", L"propsys.dll",   L"userenv.dll"};

class NativeDllsFirst {
  public:
    NativeDllsFirst() {
        std::vector<const wchar_t*> dlls(std::begin(kPlantedBesideThePrograms),
                                         std::end(kPlantedBesideThePrograms));
        Prefer(L"QuarvelSysTest.exe", dlls);
        Prefer(L"planted_import_control.exe", dlls);
        dlls.push_back(L"uxtheme.dll");
        Prefer(L"Vexmira.exe", dlls);
        Prefer(L"preload_probe.exe", {L"version.dll", L"uxtheme.dll"});
    }
    ~NativeDllsFirst() {
        for (const wchar_t* program : kPrograms) {
            RegDeleteTreeW(HKEY_CURRENT_USER, KeyOf(program).c_str());
        }
    }
    NativeDllsFirst(const NativeDllsFirst&) = delete;
    NativeDllsFirst& operator=(const NativeDllsFirst&) = delete;

  private:
    static constexpr const wchar_t* kPrograms[] = {
        L"QuarvelSysTest.exe", L"Vexmira.exe", L"planted_import_control.exe", L"preload_probe.exe"};
    static constexpr wchar_t kOrder[] = L"native,builtin";
    static std::wstring KeyOf(const wchar_t* program) {
        return std::wstring(L"Software\\Wine\\AppDefaults\\") + program + L"\\DllOverrides";
    }
    static void Prefer(const wchar_t* program, const std::vector<const wchar_t*>& dlls) {
        UniqueRegKey key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyOf(program).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
            ADD_FAILURE() << "no override for the programs";
            return;
        }
        for (const wchar_t* dll : dlls) {
            const std::wstring name(dll, wcslen(dll) - 4);  // without ".dll"
            RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(kOrder), sizeof kOrder);
        }
    }
};

// Windows XP, Vista and 7 without update KB2533623 have no
// SetDefaultDllDirectories: the programs' folder stays in their DLL search.
// The test build plays such a Windows (common/win/library_loading.h).
constexpr wchar_t kWithoutSetDefaultDllDirectories[] =
    L"QST_TEST_WITHOUT_SET_DEFAULT_DLL_DIRECTORIES";

class PlantedFiles : public QuarvelSysTestRun {
  protected:
    static std::wstring PlantedLibrary() {
        return ToWide(ProgramFolder()) + L"planted_library.dll";
    }
    static void Plant(const std::wstring& folder, const wchar_t* name) {
        ASSERT_TRUE(CopyFileW(PlantedLibrary().c_str(), (folder + name).c_str(), FALSE));
    }
    // The markers and stand-in files in the folder that show planted code ran.
    static std::vector<std::u16string> Ran(const std::wstring& folder) {
        std::vector<std::u16string> ran = FilesIn(FromWide(folder), u"*.ran");
        for (const std::u16string& file : FilesIn(FromWide(folder), u"stand_in_ran.txt")) {
            ran.push_back(file);
        }
        return ran;
    }
    // A program of this build copied into the folder.
    static void CopyProgram(const wchar_t* name, const std::wstring& folder) {
        ASSERT_TRUE(
            CopyFileW((ToWide(ProgramFolder()) + name).c_str(), (folder + name).c_str(), FALSE));
    }

    const NativeDllsFirst nativeFirst_;
};

// The control: the same planted oleacc.dll runs in a program that imports
// oleacc.dll, before its main; so the test below can fail.
TEST_F(PlantedFiles, RunInAProgramThatImportsThem) {
    const TempFolder folder(u"qst_planted_control");
    const std::wstring path = ToWide(folder.Path());
    CopyProgram(L"planted_import_control.exe", path);
    Plant(path, L"oleacc.dll");
    const WatchedRun run = RunWatched(path + L"planted_import_control.exe", L"", path);
    EXPECT_TRUE(run.ended);
    // The marker takes the name the import table gives ("OLEACC.dll").
    const std::vector<std::u16string> ran = Ran(path);
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_EQ(_wcsicmp(ToWide(ran[0]).c_str(), L"oleacc.dll.ran"), 0);
}

// Beside the programs: a language library and the DLLs that the programs or
// Windows' own DLLs load by name, on Windows 8 and later and on a Windows
// without SetDefaultDllDirectories; the program started from another folder.
// Nothing planted runs in a dialog run, in which a screen reader asks for the
// results (oleacc.dll), or in a silent run, and the dialog gives the rows of
// a clean run.
TEST_F(PlantedFiles, BesideTheProgramsNeverRun) {
    const TempFolder elsewhere(u"qst_planted_elsewhere");
    const std::wstring current = ToWide(elsewhere.Path());
    Start({}, current);
    HWND main = AcceptAgreement();
    ASSERT_NE(main, nullptr);
    const std::vector<std::string> clean = WithoutDriveLetters(ReportLines(main));
    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);

    for (const bool olderWindows : {false, true}) {
        SCOPED_TRACE(olderWindows ? "without SetDefaultDllDirectories" : "Windows 8 and later");
        std::optional<EnvironmentVariable> older;
        if (olderWindows) {
            older.emplace(kWithoutSetDefaultDllDirectories, u"1");
        }
        bundle_ = std::make_unique<BundleFolder>();
        Plant(bundle_->Path(), texts_.library.c_str());
        Plant(bundle_->Path(), L"uxtheme.dll");
        for (const wchar_t* name : kPlantedBesideThePrograms) {
            Plant(bundle_->Path(), name);
        }
        Launch(current);
        main = AcceptAgreement();
        ASSERT_NE(main, nullptr);
        const ComInitialization com(COINIT_APARTMENTTHREADED);
        ComPtr<IAccessible> results;
        ASSERT_HRESULT_SUCCEEDED(AccessibleObjectFromWindow(GetDlgItem(main, IDC_RESULTS_LIST),
                                                            OBJID_CLIENT, __uuidof(IAccessible),
                                                            results.put_void()));
        LONG children = 0;
        EXPECT_HRESULT_SUCCEEDED(results->get_accChildCount(&children));
        EXPECT_GE(children, 2) << "rows and the header after them";
        EXPECT_EQ(WithoutDriveLetters(ReportLines(main)), clean);
        ClickButton(main, IDOK);
        EXPECT_EQ(ExitCode(), 1u);

        const WatchedRun run =
            RunWatched(bundle_->Program(), L"-silent -acceptagreement -json r.json", current);
        ExpectNoWindow(run);
        EXPECT_EQ(ReadBytes(elsewhere.File(u"r.json")).rfind("{\r\n", 0), 0u);
        EXPECT_EQ(Ran(bundle_->Path()), std::vector<std::u16string>{});
        EXPECT_EQ(Ran(current), std::vector<std::u16string>{});
    }
}

// version.dll and uxtheme.dll, which Windows' own DLLs load by name, each
// beside the stand-in of a program on a Windows without
// SetDefaultDllDirectories: preloaded from the system folder, it is the one
// the system DLLs loaded later get; with the DLL directory emptied alone, as
// the programs did before, the planted one runs, so the test can fail.
TEST_F(PlantedFiles, LoadedByNameBySystemDllsNeverRunWherePreloaded) {
    const EnvironmentVariable older(kWithoutSetDefaultDllDirectories, u"1");
    for (const wchar_t* planted : {L"version.dll", L"uxtheme.dll"}) {
        for (const bool preloaded : {true, false}) {
            SCOPED_TRACE(testing::Message() << Utf8(planted) << (preloaded ? " preloaded" : ""));
            const TempFolder folder(u"qst_planted_probe");
            const std::wstring path = ToWide(folder.Path());
            CopyProgram(L"preload_probe.exe", path);
            Plant(path, planted);
            const WatchedRun run =
                RunWatched(path + L"preload_probe.exe", preloaded ? L"" : L"--search-only", path);
            EXPECT_TRUE(run.ended);
            EXPECT_EQ(Ran(path).size(), preloaded ? 0u : 1u);
        }
    }
}

// In the current folder only: the English library and a Vexmira.exe, where
// the program folder holds neither. The library is read as data; the other
// folder's Vexmira.exe never runs, and without the diagnostic the run does
// not pass.
TEST_F(PlantedFiles, InTheCurrentFolderNeverRun) {
    std::vector<std::wstring> leftOut = ShippedLanguageLibraries();
    leftOut.push_back(L"Vexmira.exe");
    bundle_ = std::make_unique<BundleFolder>(leftOut);
    const TempFolder downloads(u"qst_planted_downloads");
    const std::wstring current = ToWide(downloads.Path());
    Plant(current, L"Lang_En.Dll");
    ASSERT_TRUE(CopyFileW((ToWide(ProgramFolder()) + L"Lic_En.Txt").c_str(),
                          (current + L"Lic_En.Txt").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((ToWide(ProgramFolder()) + L"diagnostic_stand_in.exe").c_str(),
                          (current + L"Vexmira.exe").c_str(), FALSE));
    const EnvironmentVariable marker(L"QST_STAND_IN_MARKER", u"stand_in_ran.txt");

    const WatchedRun run =
        RunWatched(bundle_->Program(), L"-silent -acceptagreement -json r.json", current);
    ExpectNoWindow(run);
    EXPECT_GE(run.exitCode, 1u);
    EXPECT_LE(run.exitCode, 2u) << "passed without the graphics test";
    const std::string json = ReadBytes(downloads.File(u"r.json"));
    EXPECT_NE(json.find(kDiagnosticNotStartedJson), std::string::npos) << json;
    EXPECT_EQ(Ran(bundle_->Path()), std::vector<std::u16string>{});
    EXPECT_EQ(Ran(current), std::vector<std::u16string>{});
}

TEST_F(QuarvelSysTestRun, HangingDiagnosticIsEndedAndCountsAsAFailedGraphicsTest) {
    // A stand-in that hangs as a graphics driver may, and a time limit of 3 s
    // instead of 120 s.
    const EnvironmentVariable limit(L"QST_DIAGNOSTIC_TIME_LIMIT_MS", u"3000");
    const EnvironmentVariable hang(L"QST_STAND_IN_HANG", u"1");
    Start();
    UseStandInDiagnostic();
    const DWORD accepted = GetTickCount();
    const HWND main = AcceptAgreement();
    ASSERT_NE(main, nullptr);
    EXPECT_GE(GetTickCount() - accepted, 3000u);

    const std::vector<std::string> lines = ReportLines(main);
    bool unfinished = false;
    bool notSupported = false;
    for (const std::string& line : lines) {
        unfinished = unfinished || line.find("graphics test did not finish") != std::string::npos;
        notSupported = notSupported || line.find("is not supported") != std::string::npos;
    }
    EXPECT_TRUE(unfinished) << testing::PrintToString(lines);
    EXPECT_TRUE(notSupported) << "counted as exit code 0";
    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);
}

// Waits until the condition holds; whether it did within the time.
template <typename Condition>
bool WaitUntil(Condition holds, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!holds()) {
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(50);
    }
    return true;
}

// The impatient user of a slow graphics driver: what is typed while the
// checks run, and an Enter still held when the results come, acts on
// nothing. The keys are real input, as the user's come.
TEST_F(QuarvelSysTestRun, KeysTypedWhileTheChecksRunLeaveTheResultsShowing) {
    const EnvironmentVariable slow(L"QST_STAND_IN_DELAY_MS", u"10000");
    const EnvironmentVariable supported(L"QST_STAND_IN_EXIT_CODE", u"3");
    Start();
    UseStandInDiagnostic();
    const HWND page = WaitForAgreement();
    ASSERT_NE(page, nullptr);
    ClickButton(page, IDC_ACCEPT_BOX);  // which hands the focus to Next
    ASSERT_TRUE(WaitForFocus(GetDlgItem(page, IDOK), kWindowTimeoutMs));
    TypeKey(VK_RETURN);

    // The page says that the checks run, and takes nothing.
    ASSERT_TRUE(WaitUntil([&] { return !IsItemEnabled(page, IDCANCEL); }, kWindowTimeoutMs));
    EXPECT_FALSE(IsItemEnabled(page, IDOK));
    for (const WORD key : {VK_RETURN, VK_RETURN, VK_ESCAPE}) {
        Sleep(300);
        TypeKey(key);
    }
    TypeKey(VK_F4, VK_MENU);
    SendKey(VK_RETURN, true);  // held until the results show

    const HWND main = app_.WaitForWindow(texts_.mainCaption);
    ASSERT_NE(main, nullptr) << "no results";
    // The held key's repeat and its release come as Windows delivers them,
    // posted: Wine forgets a key that SendInput holds down when a new window
    // takes the X focus, and would send the repeat as a fresh press.
    const HWND focus = GetDlgItem(main, IDC_RESULTS_LIST);
    ASSERT_TRUE(WaitForFocus(focus, kWindowTimeoutMs));
    PostMessageW(focus, WM_KEYDOWN, VK_RETURN, MAKELPARAM(1, KF_REPEAT));
    PostMessageW(focus, WM_KEYUP, VK_RETURN, MAKELPARAM(1, KF_REPEAT | KF_UP));
    SendKey(VK_RETURN, false);
    DWORD closedWith = kNoExitCode;
    EXPECT_FALSE(app_.WaitForExit(2000, closedWith)) << "the results closed with " << closedWith;
    EXPECT_TRUE(IsWindowVisible(main));
    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);
}

// The clipboard's text, as a program that pastes finds it.
std::wstring ClipboardText() {
    const OpenedClipboard clipboard(nullptr);
    const HANDLE data = clipboard.IsOpen() ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    const std::wstring copy = text != nullptr ? text : L"";
    if (text != nullptr) {
        GlobalUnlock(data);
    }
    return copy;
}

// What a user mails to support: every row, selected with the list's menu
// (Shift+F10, then its Select All) and copied with Ctrl+C, as text.
TEST_F(QuarvelSysTestRun, TheResultsCopyAsTextAndTheirMenuOpensWithShiftF10) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    Start();
    const HWND main = AcceptAgreement();
    ASSERT_NE(main, nullptr);
    const HWND list = GetDlgItem(main, IDC_RESULTS_LIST);
    ASSERT_TRUE(WaitForFocus(list, kDefaultTimeoutMs)) << "the results come first";
    ASSERT_TRUE(PutTextOnClipboard(nullptr, L"before"));
    TypeKey(VK_F10, VK_SHIFT);
    ASSERT_TRUE(WaitUntil(
        [] {
            const HWND menu = FindWindowW(L"#32768", nullptr);  // a popup menu
            return menu != nullptr && IsWindowVisible(menu);
        },
        kWindowTimeoutMs))
        << "no menu";
    TypeKey('A');  // Select &All
    TypeKey('C', VK_CONTROL);
    ASSERT_TRUE(WaitUntil([] { return ClipboardText() != L"before"; }, kWindowTimeoutMs));

    // Each row as a screen reader reads it ("Passed, ..."), its status word
    // and its text apart; the column titles first.
    ComPtr<IAccessible> results;
    ASSERT_HRESULT_SUCCEEDED(
        AccessibleObjectFromWindow(list, OBJID_CLIENT, __uuidof(IAccessible), results.put_void()));
    LONG children = 0;
    ASSERT_HRESULT_SUCCEEDED(results->get_accChildCount(&children));
    EXPECT_GE(children, 5);
    std::wstring expected = L"Result\tRequirement\r\n";
    for (LONG id = 1; id < children; ++id) {  // the header is the last child
        std::wstring row = NameOf(*results.get(), id);
        row.replace(row.find(L", "), 2, L"\t");
        expected += row + L"\r\n";
    }
    EXPECT_EQ(ClipboardText(), expected);
    ClickButton(main, IDOK);
    EXPECT_EQ(ExitCode(), 1u);
}

// Asked for its usage from a shortcut or the Run box, with no console to
// answer on: a box with the switches and the exit codes, and nothing else.
TEST_F(QuarvelSysTestRun, AHelpSwitchShowsTheUsageAndRunsNothingElse) {
    // Started as Explorer starts it: by a program without a console (Wine
    // gives the test program one, to which the usage would go).
    FreeConsole();
    bundle_ = std::make_unique<BundleFolder>();
    ASSERT_TRUE(app_.Start(bundle_->Program(), L"/?", bundle_->Path()));
    const HWND box = app_.WaitForWindow(L"QuarvelSysTest", kWindowTimeoutMs);
    ASSERT_NE(box, nullptr);
    std::wstring usage;
    for (const std::u16string_view line : kUsageLines) {
        usage += (usage.empty() ? L"" : L"\n") + ToWide(std::u16string(line));
    }
    EXPECT_EQ(ItemText(box, kMessageBoxTextId), usage);
    EXPECT_FALSE(app_.HasWindow(texts_.agreementCaption));
    ClickButton(box, IDOK);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_TRUE(bundle_->Files(u"vexmira_*.txt").empty()) << "the checks ran";
}

}  // namespace
