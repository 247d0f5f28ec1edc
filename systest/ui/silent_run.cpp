#include "systest/ui/silent_run.h"

#include "common/format.h"
#include "common/win/error_mode.h"
#include "common/win/system_error.h"
#include "common/win/wide.h"
#include "systest/engine/diagnostic_platform.h"
#include "systest/engine/file_replacement.h"
#include "systest/engine/machine_checks.h"
#include "systest/engine/machine_probe.h"
#include "systest/engine/report_command.h"
#include "systest/engine/report_file.h"
#include "systest/engine/results_json.h"
#include "systest/engine/run_facts.h"
#include "systest/engine/text_file.h"
#include "systest/resources/string_ids.h"
#include "systest/ui/exit_codes.h"
#include "systest/ui/language_files.h"
#include "systest/ui/silent_output.h"

#include <algorithm>
#include <optional>
#include <span>

namespace {

// Where the lines of a run go, in the user's language.
class SilentConsole {
  public:
    SilentConsole(SilentOutput& output, const StringSource& strings)
        : console_(output), strings_(strings) {}

    void WriteLine(std::u16string_view text) { console_.WriteLine(text); }
    void WriteString(int id) { console_.WriteLine(strings_.Load(id)); }
    void CannotWrite(const std::u16string& path, DWORD error) {
        console_.WriteLine(
            FormatString(strings_.Load(IDS_SILENT_CANNOT_WRITE), {path, SystemErrorText(error)}));
    }

  private:
    SilentOutput& console_;
    const StringSource& strings_;
};

// A diagnostic that cannot be started is told on the console, on one line.
class ConsoleStartFailure final : public StartFailureNotice {
  public:
    explicit ConsoleStartFailure(SilentConsole& console) : console_(console) {}
    void Show(const std::u16string& text) override {
        std::u16string line = text;
        std::replace(line.begin(), line.end(), u'\n', u' ');
        console_.WriteLine(line);
    }

  private:
    SilentConsole& console_;
};

// The report and, when the command line names one, the results file of a run.
// Each is written whole or not at all (file_replacement.h).
class OutputFiles {
  public:
    OutputFiles(const CommandLine& commandLine, SilentConsole& console)
        : commandLine_(commandLine), console_(console) {}

    // Before the checks, so that a path that cannot take a file fails at
    // once; false, with the reason on the console, when one cannot.
    bool Prepare() {
        const std::optional<std::u16string> reportPath =
            commandLine_.reportPath ? commandLine_.reportPath : TemporaryReportPath();
        if (!reportPath) {
            console_.WriteString(IDS_SILENT_NO_TEMP_FOLDER);
            return false;
        }
        if (!Prepare(report_, *reportPath) ||
            (commandLine_.jsonPath && !Prepare(json_, *commandLine_.jsonPath))) {
            return false;
        }
        if (commandLine_.jsonPath && NameTheSameFile(json_.Target(), report_.Target())) {
            console_.WriteString(IDS_SILENT_SAME_FILE);
            return false;
        }
        return true;
    }

    // Both files, or neither: false, with the reason on the console, when one
    // was not written, and then every earlier file is as it was.
    bool Write(const CheckRun& run) {
        const SystemAnsiCodePage codePage;
        if (!Written(report_, EncodeText(FormatReport(run), TextEncoding::Utf8, codePage)) ||
            (commandLine_.jsonPath && !Written(json_, FormatResultsJson(run)))) {
            return false;
        }
        FileReplacement* const files[] = {&report_, &json_};
        const CommitResult commit = CommitTogether(std::span(files, commandLine_.jsonPath ? 2 : 1));
        if (commit.error != ERROR_SUCCESS) {
            console_.CannotWrite(commit.failed->Target(), commit.error);
            return false;
        }
        return true;
    }

  private:
    bool Prepare(FileReplacement& file, const std::u16string& path) {
        const DWORD error = file.Prepare(path);
        if (error != ERROR_SUCCESS) {
            console_.CannotWrite(file.Target().empty() ? path : file.Target(), error);
            return false;
        }
        return true;
    }

    bool Written(FileReplacement& file, std::string_view content) {
        const DWORD error = file.Write(content);
        if (error != ERROR_SUCCESS) {
            console_.CannotWrite(file.Target(), error);
            return false;
        }
        return true;
    }

    const CommandLine& commandLine_;
    SilentConsole& console_;
    FileReplacement report_;
    FileReplacement json_;
};

// The checks of an unattended run, once the agreement is accepted.
int RunChecksUnattended(const CommandLine& commandLine, const StringSource& strings,
                        SilentConsole& console) {
    OutputFiles files(commandLine, console);
    if (!files.Prepare()) {
        return kExitBadCommandLine;
    }

    Win32MachineProbe probe;
    ProbedSystemChecks systemChecks(probe, strings);
    SilentVideo noBoxes;
    ConsoleStartFailure startFailure(console);
    Win32DiagnosticPlatform platform(startFailure, DiagnosticTimeLimitOfEnvironment());
    DiagnosticLauncher graphicsChecks(platform, strings, noBoxes);
    const CheckRun run = RunChecks(systemChecks, graphicsChecks, strings, ReadRunFacts());
    for (const std::u16string& line : VerdictLines(run)) {
        console.WriteLine(line);
    }
    if (!files.Write(run)) {
        return kExitBadCommandLine;
    }
    return static_cast<int>(run.summary.overallLevel);
}

}  // namespace

int RunSilently(const CommandLine& commandLine) {
    // No box may wait for a click: not the system's "No disk" for a report on
    // an empty drive, not the one of a crash.
    const AddedErrorMode noBoxes(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX |
                                 SEM_NOOPENFILEERRORBOX);
    SilentOutput output;
    // Before the language library is loaded, the lines are fixed English, as
    // the "Fatal Error" box of an interactive start is.
    if (!commandLine.error.empty()) {
        output.WriteLine(commandLine.error);
        output.WriteLine(kCommandLineUsage);
        return kExitBadCommandLine;
    }
    std::u16string failure;
    const std::optional<LanguageResources> language = LoadUserLanguage(failure);
    if (!language) {
        output.WriteLine(failure);
        return kExitStartupFailed;
    }
    // As in the main dialog: every string from the language library.
    SilentConsole console(output, *language);
    if (!commandLine.acceptAgreement) {
        console.WriteString(IDS_SILENT_NOT_ACCEPTED);
        return kQuitCancelled;
    }
    return RunChecksUnattended(commandLine, *language, console);
}
