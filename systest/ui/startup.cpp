#include "systest/ui/startup.h"

#include "common/win/wide.h"
#include "systest/engine/machine_checks.h"
#include "systest/engine/machine_probe.h"
#include "systest/engine/system_graphics_checks.h"
#include "systest/ui/agreement_dialog.h"
#include "systest/ui/language_choice.h"
#include "systest/ui/main_dialog.h"
#include "systest/ui/program_strings.h"
#include "systest/ui/quit_codes.h"
#include "systest/ui/userlist/user_list_class.h"

namespace {

constexpr int kLanguageCodeUnits = 30;
constexpr wchar_t kFatalErrorCaption[] = L"Fatal Error";

class Win32LanguageFiles final : public LanguageFileSystem {
  public:
    explicit Win32LanguageFiles(AppModule& module) : module_(module) {}

    bool IsFile(const std::u16string& path) const override {
        const DWORD attributes = GetFileAttributesW(WideCStr(path));
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool LoadLanguageLibrary(const std::u16string& path) override {
        UniqueLibrary library(LoadLibraryW(WideCStr(path)));
        if (!library.valid()) {
            return false;
        }
        module_.AddResourceLibrary(std::move(library));
        return true;
    }

  private:
    AppModule& module_;
};

std::u16string UserLanguageCode() {
    wchar_t code[kLanguageCodeUnits] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, code, kLanguageCodeUnits) ==
        0) {
        return {};
    }
    return FromWide(code);
}

std::u16string ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return FromWide(path);
}

// The main dialog with the checks of this machine; its quit code, or
// kExitNoDialog when it cannot be created.
int RunMainDialog(AppModule& module, MessageLoop& loop, int showCommand) {
    ProgramStrings strings(module);
    Win32MachineProbe probe;
    ProbedSystemChecks systemChecks(probe, strings);
    SystemGraphicsChecks graphicsChecks(strings);
    MainDialog mainDialog(module, {systemChecks, graphicsChecks});
    if (!mainDialog.Create()) {
        return kExitNoDialog;
    }
    ShowWindow(mainDialog.Window(), showCommand);
    return loop.Run();
}

}  // namespace

int RunQuarvelSysTest(HINSTANCE instance, int showCommand) {
    AppModule module(instance);
    // The main dialog's template holds a control of this class.
    RegisterUserListClass(instance);

    Win32LanguageFiles files(module);
    const LanguageChoice language = ChooseLanguage(ProgramPath(), UserLanguageCode(), files);
    if (!language.loaded) {
        MessageBoxW(nullptr, WideCStr(language.failure), kFatalErrorCaption, MB_OK | MB_ICONERROR);
        return kExitStartupFailed;
    }

    MessageLoop loop;
    module.AddMessageLoop(loop);
    int result = kExitNoDialog;
    {
        AgreementDialog agreement(module, language.agreementPath);
        if (agreement.Create()) {
            ShowWindow(agreement.Window(), showCommand);
            result = loop.Run();
            if (result == kQuitAccepted) {
                result = RunMainDialog(module, loop, showCommand);
            }
        }
    }
    module.RemoveMessageLoop();
    return result;
}
