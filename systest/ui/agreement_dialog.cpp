#include "systest/ui/agreement_dialog.h"

#include "common/format.h"
#include "common/win/wide.h"
#include "systest/engine/product.h"
#include "systest/engine/text_file.h"
#include "systest/resources/resource.h"
#include "systest/resources/string_ids.h"
#include "systest/ui/exit_codes.h"

namespace {

// The instructions are the page's only unnamed static control.
constexpr int kInstructionsId = -1;

}  // namespace

MessageTable<Dialog> AgreementDialog::Messages() const {
    static constexpr MessageRow<Dialog> kMessages[] = {
        Handle<WM_INITDIALOG, &AgreementDialog::OnInitDialog>(),
        Command<IDC_ACCEPT_BOX, &AgreementDialog::UpdateAcceptButton>(),
        Command<IDOK, &AgreementDialog::OnAccept>(),
        Command<IDCANCEL, &AgreementDialog::OnDecline>(),
        Handle<WM_SETCURSOR, &AgreementDialog::OnSetCursor>(),
    };
    return kMessages;
}

bool AgreementDialog::Create() {
    return CreateFromTemplate(module_.Instance(), IDD_AGREEMENT);
}

LRESULT AgreementDialog::OnInitDialog() {
    CenterOnWorkArea();
    icons_.Apply(Window(), module_.Instance(), IDI_APPLICATION_ICON);
    EnableWindow(Item(IDOK), FALSE);
    FillAgreementText();
    textCaret_.Attach(Item(IDC_AGREEMENT_TEXT));
    JoinMessageLoop(module_.Loop());
    SetLanguageTexts();
    return TRUE;  // the dialog manager sets the default focus
}

// One list box entry per line of the agreement text; a missing file leaves the
// list empty, and a file that fails while it is read, also at its first bytes,
// shows what was read. An exception must not cross the dialog procedure.
void AgreementDialog::FillAgreementText() const {
    const HWND list = Item(IDC_AGREEMENT_TEXT);
    try {
        // The reader looks for a byte order mark at once.
        TextFileReader reader(language_.AgreementPath());
        std::u16string line;
        while (reader.IsOpen() && !reader.AtEnd() && reader.ReadLine(line)) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideCStr(line)));
        }
    } catch (const CTextFileException&) {
        // The reader has closed the file.
    }
}

void AgreementDialog::SetLanguageTexts() const {
    SetItemText(IDOK, language_.Load(IDS_AGREEMENT_ACCEPT));
    SetItemText(IDCANCEL, language_.Load(IDS_AGREEMENT_DECLINE));
    SetItemText(kInstructionsId, language_.Load(IDS_AGREEMENT_INSTRUCTIONS));
    SetItemText(IDC_ACCEPT_BOX, language_.Load(IDS_AGREEMENT_CHECKBOX));
    const std::u16string caption =
        FormatString(language_.Load(IDS_AGREEMENT_CAPTION), {kProductName});
    SetWindowTextW(Window(), WideCStr(caption));
}

void AgreementDialog::OnAccept() {
    // Enter reaches here too; without the box ticked it accepts nothing, and
    // once accepted nothing more.
    if (IsWindowEnabled(Item(IDOK)) && !checking_) {
        ShowChecking();
        PostQuitMessage(kQuitAccepted);
    }
}

// The page stays on the screen while the checks run, until the main dialog
// takes its place: no window of the program would show that it is busy
// otherwise. Disabling the page alone greys none of its controls.
void AgreementDialog::ShowChecking() {
    checking_ = true;
    for (const int id : {IDC_ACCEPT_BOX, IDOK, IDCANCEL}) {
        EnableWindow(Item(id), FALSE);
    }
    SetItemText(kInstructionsId, language_.Load(IDS_AGREEMENT_CHECKING));
    EnableWindow(Window(), FALSE);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    // The checks begin at once and let the page paint only while they wait
    // for the diagnostic.
    UpdateWindow(Window());
}

// Over the page and each of its controls: a disabled control hands the
// question to its parent.
std::optional<LRESULT> AgreementDialog::OnSetCursor() const {
    if (!checking_) {
        return std::nullopt;
    }
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return TRUE;
}

void AgreementDialog::OnDecline() {
    Close(kQuitCancelled);
}

void AgreementDialog::UpdateAcceptButton() const {
    const bool accepted = IsDlgButtonChecked(Window(), IDC_ACCEPT_BOX) == BST_CHECKED;
    EnableWindow(Item(IDOK), accepted ? TRUE : FALSE);
    // A disabled button cannot hold the focus: it stays on the box then.
    if (accepted) {
        SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    }
}
