#include "systest/ui/main_dialog.h"

#include "common/format.h"
#include "common/text.h"
#include "common/win/screen_dpi.h"
#include "common/win/wait_cursor.h"
#include "common/win/wide.h"
#include "systest/engine/product.h"
#include "systest/engine/report_command.h"
#include "systest/engine/run_facts.h"
#include "systest/resources/resource.h"
#include "systest/resources/string_ids.h"
#include "systest/ui/quit_codes.h"
#include "systest/ui/userlist/list_visuals.h"

#include <commctrl.h>

#include <iterator>

namespace {

// The "Meta data" line is the dialog's only unnamed static control.
constexpr int kMetaLineId = -1;
// Columns start one pixel wide and are fitted to their contents at the end.
constexpr int32_t kInitialColumnWidth = 1;
// The logo is rendered for the same screens as the list's images.
constexpr int kLogoBitmaps[] = {IDB_LOGO, IDB_LOGO_125, IDB_LOGO_150, IDB_LOGO_200};
static_assert(std::size(kLogoBitmaps) == std::size(kImageSizes));

}  // namespace

const DialogMessageHandler<MainDialog> MainDialog::kMessageHandlers[] = {
    {WM_INITDIALOG, &MainDialog::OnInitDialog},
    {WM_COMMAND, &MainDialog::OnCommand},
    {WM_DESTROY, &MainDialog::OnDestroy},
};

bool MainDialog::Create() {
    return CreateFromTemplate(module_.ResourceModule(), IDD_MAIN);
}

bool MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    return DispatchDialogMessage(*this, kMessageHandlers, message, wParam, lParam, result);
}

bool MainDialog::OnInitDialog(WPARAM, LPARAM, INT_PTR& result) {
    const RunFacts facts = ReadRunFacts();
    CenterOnWorkArea();
    icons_.Apply(Window(), module_.Instance(), IDI_APPLICATION_ICON);
    const int dpi = ScreenDpi();
    const int logo = kLogoBitmaps[ImageSizeIndex(dpi)];
    logo_.reset(static_cast<HBITMAP>(LoadImageW(module_.Instance(), MAKEINTRESOURCEW(logo),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    SendDlgItemMessageW(Window(), IDC_LOGO, STM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(logo_.get()));
    JoinMessageLoop(module_.ThreadMessageLoop());
    // Without the list the checks still run; their rows go nowhere.
    resultsAttached_ = results_.Attach(Item(IDC_RESULTS_LIST));
    if (resultsAttached_) {
        results_.Initialise();
    }
    description_ = Item(IDC_DESCRIPTION);
    statusImages_ = LoadStatusImages(module_.Instance(), ListMetricsForDpi(dpi));

    // From here on every string comes from the language library.
    module_.SetResourceModule(module_.LanguageLibrary());
    SetLanguageTexts();
    AddColumns();

    CheckRun run;
    {
        // The checks take seconds, the diagnostic's run up to its time limit.
        const WaitCursor checking;
        run = RunChecks(checks_.system, checks_.graphics, strings_, *this, facts);
    }
    reportText_ = run.reportText;
    ShowSummary(run.summary);
    SetItemText(kMetaLineId, run.metaLine);

    result = TRUE;  // the dialog manager sets the default focus
    return true;
}

void MainDialog::SetLanguageTexts() const {
    const std::u16string caption = FormatString(strings_.Load(IDS_MAIN_CAPTION), {kProductName});
    SetWindowTextW(Window(), WideCStr(caption));
    SetItemText(IDC_REPORT_BUTTON, strings_.Load(IDS_REPORT_BUTTON));
    SetWindowTextW(description_, WideCStr(strings_.Load(IDS_MAIN_DESCRIPTION)));
}

void MainDialog::AddColumns() {
    for (const int title : {IDS_COLUMN_STATUS, IDS_COLUMN_CHECK}) {
        ListColumn column;
        column.title = strings_.Load(title);
        column.width = kInitialColumnWidth;
        results_.AddColumn(column);
    }
}

void MainDialog::AddRow(const ResultRow& row) {
    if (resultsAttached_) {
        results_.AddItem(row);
    }
}

void MainDialog::FitColumn(int column) {
    if (resultsAttached_) {
        results_.AutoSizeColumn(column);
    }
}

void MainDialog::ShowSummary(const CheckSummary& summary) {
    summaryIcon_.reset(ImageList_GetIcon(statusImages_.get(), summary.image, ILD_NORMAL));
    SendDlgItemMessageW(Window(), IDC_SUMMARY_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(summaryIcon_.get()), 0);
    // The status word without the blanks that pad it to the report's first
    // column: in its own control they would wrap it onto a second line.
    const std::u16string status = TrimSpaces(summary.status);
    summaryIconName_.Attach(Item(IDC_SUMMARY_ICON), ToWide(status));
    SetItemText(IDC_SUMMARY_STATUS, status);
    SetItemText(IDC_SUMMARY_TEXT, summary.text);
}

bool MainDialog::OnCommand(WPARAM wParam, LPARAM, INT_PTR& result) {
    switch (LOWORD(wParam)) {
        case IDOK:
            Close(kQuitAccepted);
            break;
        case IDCANCEL:
            Close(kQuitCancelled);
            break;
        case IDC_REPORT_BUTTON:
            if (HIWORD(wParam) != BN_CLICKED) {
                return false;
            }
            RunReportCommand(Window(), reportText_);
            break;
        default:
            return false;
    }
    result = TRUE;
    return true;
}

bool MainDialog::OnDestroy(WPARAM, LPARAM, INT_PTR&) {
    LeaveMessageLoop();
    return false;
}
