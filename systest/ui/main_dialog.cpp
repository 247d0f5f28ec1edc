#include "systest/ui/main_dialog.h"

#include "common/format.h"
#include "common/text.h"
#include "common/win/screen_dpi.h"
#include "common/win/wait_cursor.h"
#include "common/win/wide.h"
#include "systest/engine/product.h"
#include "systest/engine/report_command.h"
#include "systest/engine/report_file.h"
#include "systest/engine/run_facts.h"
#include "systest/resources/resource.h"
#include "systest/resources/string_ids.h"
#include "systest/ui/exit_codes.h"
#include "systest/ui/result_images.h"

#include <commctrl.h>

#include <iterator>

namespace {

// The "Meta data" line is the dialog's only unnamed static control.
constexpr int kMetaLineId = -1;
// Columns start one pixel wide and are fitted to their contents at the end.
constexpr int32_t kInitialColumnWidth = 1;
constexpr int32_t kStatusColumn = 0;
constexpr int32_t kCheckColumn = 1;
// The logo is rendered for the same screens as the list's images.
constexpr int kLogoBitmaps[] = {IDB_LOGO, IDB_LOGO_125, IDB_LOGO_150, IDB_LOGO_200};
static_assert(std::size(kLogoBitmaps) == std::size(kImageSizes));

}  // namespace

MessageTable<Dialog> MainDialog::Messages() const {
    static constexpr MessageRow<Dialog> kMessages[] = {
        Handle<WM_INITDIALOG, &MainDialog::OnInitDialog>(),
        Command<IDOK, &MainDialog::OnOk>(),
        Command<IDCANCEL, &MainDialog::OnCancel>(),
        Command<IDC_REPORT_BUTTON, &MainDialog::OnReportButton>(),
    };
    return kMessages;
}

bool MainDialog::Create() {
    return CreateFromTemplate(module_.Instance(), IDD_MAIN);
}

LRESULT MainDialog::OnInitDialog() {
    const RunFacts facts = ReadRunFacts();
    CenterOnWorkArea();
    icons_.Apply(Window(), module_.Instance(), IDI_APPLICATION_ICON);
    const int dpi = ScreenDpi();
    const int logo = kLogoBitmaps[ImageSizeIndex(dpi)];
    logo_.reset(static_cast<HBITMAP>(LoadImageW(module_.Instance(), MAKEINTRESOURCEW(logo),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    SendDlgItemMessageW(Window(), IDC_LOGO, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(logo_.get()));
    JoinMessageLoop(module_.Loop());
    // Without the list the checks still run; their rows go nowhere.
    resultsAttached_ = results_.Attach(Item(IDC_RESULTS_LIST));
    if (resultsAttached_) {
        results_.Initialise();
        results_.SetRowImages(module_.Instance(), kStatusImageBitmaps);
    }
    description_ = Item(IDC_DESCRIPTION);
    statusImages_ = LoadImageStrip(module_.Instance(), kStatusImageBitmaps, ListMetricsForDpi(dpi));

    SetLanguageTexts();
    {
        // The checks take seconds, the diagnostic's run up to its time limit.
        const WaitCursor checking;
        run_ = RunChecks(checks_.system, checks_.graphics, strings_, facts);
    }
    ShowVerdicts();
    ShowSummary();
    SetItemText(kMetaLineId, run_.metaLine);
    return TRUE;  // the dialog manager sets the default focus
}

void MainDialog::SetLanguageTexts() {
    const std::u16string caption = FormatString(strings_.Load(IDS_MAIN_CAPTION), {kProductName});
    SetWindowTextW(Window(), WideCStr(caption));
    SetItemText(IDC_REPORT_BUTTON, strings_.Load(IDS_REPORT_BUTTON));
    SetWindowTextW(description_, WideCStr(strings_.Load(IDS_MAIN_DESCRIPTION)));
    results_.SetMenuTexts(
        {strings_.Load(IDS_LIST_MENU_COPY), strings_.Load(IDS_LIST_MENU_SELECT_ALL)});
}

void MainDialog::ShowVerdicts() {
    if (!resultsAttached_) {
        return;
    }
    for (const int title : {IDS_COLUMN_STATUS, IDS_COLUMN_CHECK}) {
        ListColumn column;
        column.title = strings_.Load(title);
        column.width = kInitialColumnWidth;
        results_.AddColumn(column);
    }
    for (const CheckVerdict& verdict : run_.verdicts) {
        resultRows_.Add({StatusImageOf(verdict.level), verdict.displayText,
                         verdict.status.substr(0, kStatusWordUnits - 1)});
    }
    results_.RowsAdded();
    results_.AutoSizeColumn(kStatusColumn);
    results_.AutoSizeColumn(kCheckColumn);
}

void MainDialog::ShowSummary() {
    const CheckSummary& summary = run_.summary;
    summaryIcon_.reset(
        ImageList_GetIcon(statusImages_.get(), StatusImageOf(summary.overallLevel), ILD_NORMAL));
    SendDlgItemMessageW(Window(), IDC_SUMMARY_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(summaryIcon_.get()), 0);
    // The status word without the blanks that pad it to the report's first
    // column: in its own control they would wrap it onto a second line.
    const std::u16string status = TrimSpaces(summary.status);
    summaryIconName_.Attach(Item(IDC_SUMMARY_ICON), ToWide(status));
    SetItemText(IDC_SUMMARY_STATUS, status);
    SetItemText(IDC_SUMMARY_TEXT, summary.text);
}

void MainDialog::OnOk() {
    Close(kQuitAccepted);
}

void MainDialog::OnCancel() {
    Close(kQuitCancelled);
}

std::optional<LRESULT> MainDialog::OnReportButton(UINT notifyCode) {
    if (notifyCode != BN_CLICKED) {
        return std::nullopt;
    }
    RunReportCommand(Window(), FormatReport(run_));
    return 0;
}
