#include "systest/ui/startup.h"

#include "adapters/win/message_box_video.h"
#include "common/win/queued_input.h"
#include "common/win/wide.h"
#include "systest/engine/diagnostic_platform.h"
#include "systest/engine/machine_checks.h"
#include "systest/engine/machine_probe.h"
#include "systest/engine/run_facts.h"
#include "systest/ui/agreement_dialog.h"
#include "systest/ui/command_line.h"
#include "systest/ui/exit_codes.h"
#include "systest/ui/held_keys.h"
#include "systest/ui/language_files.h"
#include "systest/ui/main_dialog.h"
#include "systest/ui/silent_output.h"
#include "systest/ui/silent_run.h"
#include "systest/ui/userlist/win/user_list.h"

#include <shellapi.h>

#include <iterator>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr wchar_t kFatalErrorCaption[] = L"Fatal Error";
constexpr wchar_t kUsageCaption[] = L"QuarvelSysTest";

// CommandLineToArgvW's array, freed with LocalFree.
struct LocalFreeDeleter {
    void operator()(LPWSTR* memory) const { LocalFree(memory); }
};
using UniqueArgumentArray = std::unique_ptr<LPWSTR[], LocalFreeDeleter>;

// The arguments after the program name, split as Windows splits them.
std::vector<std::u16string> ProgramArguments() {
    int count = 0;
    const UniqueArgumentArray arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::u16string> result;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        result.push_back(FromWide(arguments[i]));
    }
    return result;
}

// The usage, where the unattended run's lines would go (silent_output.h): the
// console that started the program, or the file or pipe its output goes to.
// Started with neither, an interactive start, it shows in a message box; an
// unattended command line never shows one.
int ShowUsage(const CommandLine& commandLine) {
    SilentOutput output;
    if (output.StartedWithoutConsole() && !commandLine.unattended) {
        std::u16string text(kUsageLines[0]);
        for (size_t i = 1; i < std::size(kUsageLines); ++i) {
            text += u'\n';
            text += kUsageLines[i];
        }
        MessageBoxW(nullptr, WideCStr(text), kUsageCaption, MB_OK | MB_ICONINFORMATION);
    } else {
        for (const std::u16string_view line : kUsageLines) {
            output.WriteLine(line);
        }
    }
    return kExitUsageShown;
}

// While it lives, a key held down since before it came acts on none of the
// loop's dialogs until pressed afresh (HeldKeys).
class HeldKeyFilter final : private MessageFilter {
  public:
    explicit HeldKeyFilter(MessageLoop& loop) : loop_(loop) { loop_.AddMessageFilter(*this); }
    HeldKeyFilter(const HeldKeyFilter&) = delete;
    HeldKeyFilter& operator=(const HeldKeyFilter&) = delete;
    ~HeldKeyFilter() { loop_.RemoveMessageFilter(*this); }

  private:
    bool PreTranslateMessage(MSG& message) override {
        KeyTransition transition = KeyTransition::Other;
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
            transition = KeyTransition::Down;
        } else if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP) {
            transition = KeyTransition::Up;
        }
        const bool wasDown = (HIWORD(message.lParam) & KF_REPEAT) != 0;
        return keys_.Drops(transition, static_cast<uint32_t>(message.wParam), wasDown);
    }

    MessageLoop& loop_;
    HeldKeys keys_;
};

// The main dialog with the checks of this machine; its quit code, or
// kExitNoDialog when it cannot be created. The accepted agreement page stays
// on the screen while the checks run and goes when the main dialog is ready.
int RunMainDialog(AppModule& module, const LanguageResources& language, int showCommand,
                  const AgreementDialog& agreement) {
    Win32MachineProbe probe;
    ProbedSystemChecks systemChecks(probe, language);
    const std::unique_ptr<VerboseVideo> boxes = VerboseVideoOfCommandLine();
    Win32DiagnosticPlatform platform(DiagnosticTimeLimitOfEnvironment());
    DiagnosticLauncher graphicsChecks(platform, language, *boxes);
    // The diagnostic takes longest of the checks: it runs while the main
    // dialog is made. Without an interactive desktop the checks leave it out.
    if (HasInteractiveDesktop()) {
        graphicsChecks.StartDiagnostic();
    }
    MainDialog mainDialog(module, language, {systemChecks, graphicsChecks});
    const bool created = mainDialog.Create();
    agreement.DestroyDialog();
    if (!created) {
        return kExitNoDialog;
    }
    // Whatever was typed or clicked while the checks ran was meant for the
    // busy page, or was impatience: none of it may act on the results.
    DiscardQueuedInput();
    const HeldKeyFilter heldKeys(module.Loop());
    ShowWindow(mainDialog.Window(), showCommand);
    return module.Loop().Run();
}

}  // namespace

int RunQuarvelSysTest(HINSTANCE instance, int showCommand) {
    AppModule module(instance);
    const CommandLine commandLine = ParseCommandLine(ProgramArguments());
    if (commandLine.help) {
        return ShowUsage(commandLine);
    }
    if (commandLine.unattended) {
        return RunSilently(commandLine);
    }

    // The main dialog's template holds a control of this class.
    RegisterUserListClass(instance);
    std::u16string failure;
    const std::optional<LanguageResources> language = LoadUserLanguage(failure);
    if (!language) {
        MessageBoxW(nullptr, WideCStr(failure), kFatalErrorCaption, MB_OK | MB_ICONERROR);
        return kExitStartupFailed;
    }

    AgreementDialog agreement(module, *language);
    if (!agreement.Create()) {
        return kExitNoDialog;
    }
    ShowWindow(agreement.Window(), showCommand);
    const int result = module.Loop().Run();
    return result == kQuitAccepted ? RunMainDialog(module, *language, showCommand, agreement)
                                   : result;
}
