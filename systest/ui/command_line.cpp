#include "systest/ui/command_line.h"

#include "common/text.h"

namespace {

constexpr std::u16string_view kSilent = u"-silent";
constexpr std::u16string_view kAcceptAgreement = u"-acceptagreement";
constexpr std::u16string_view kReport = u"-report";
constexpr std::u16string_view kJson = u"-json";
// Read by the graphics checks themselves (adapters/verbose_video.h).
constexpr std::u16string_view kVerboseVideo = u"-verbosevideo";

// The ways Windows programs are asked for their usage.
constexpr std::u16string_view kHelpSwitches[] = {u"/?", u"-?", u"-help", u"/help"};

// The switches that only an unattended run takes.
constexpr std::u16string_view kUnattendedSwitches[] = {kSilent, kAcceptAgreement, kReport, kJson};

bool IsHelpSwitch(std::u16string_view lowered) {
    for (const std::u16string_view name : kHelpSwitches) {
        if (lowered == name) {
            return true;
        }
    }
    return false;
}

bool IsSwitch(std::u16string_view argument) {
    return !argument.empty() && argument.front() == u'-';
}

// An unattended switch, also as other Windows programs write switches: "/silent".
bool IsUnattendedSwitch(std::u16string_view lowered) {
    if (lowered.empty() || (lowered.front() != u'-' && lowered.front() != u'/')) {
        return false;
    }
    for (const std::u16string_view name : kUnattendedSwitches) {
        if (lowered.substr(1) == name.substr(1)) {
            return true;
        }
    }
    return false;
}

// Sets a switch once; false when it was set already.
bool SetOnce(bool& value) {
    if (value) {
        return false;
    }
    value = true;
    return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments) {
    CommandLine line;
    const auto fault = [&line](std::u16string error) {
        if (line.error.empty()) {
            line.error = std::move(error);
        }
    };
    bool silent = false;
    bool verboseVideo = false;
    std::u16string firstUnattendedSwitch;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::u16string& argument = arguments[i];
        const std::u16string name = ToLowerAscii(argument);
        if (IsUnattendedSwitch(name) && firstUnattendedSwitch.empty()) {
            firstUnattendedSwitch = argument;
        }
        bool once = true;
        if (IsHelpSwitch(name)) {
            line.help = true;
        } else if (name == kSilent) {
            once = SetOnce(silent);
        } else if (name == kAcceptAgreement) {
            once = SetOnce(line.acceptAgreement);
        } else if (name == kVerboseVideo) {
            once = SetOnce(verboseVideo);
        } else if (name == kReport || name == kJson) {
            std::optional<std::u16string>& path = name == kReport ? line.reportPath : line.jsonPath;
            once = !path.has_value();
            if (once && (i + 1 == arguments.size() || arguments[i + 1].empty() ||
                         IsSwitch(arguments[i + 1]))) {
                fault(u"A file name must follow " + argument + u".");
            } else if (once) {
                path = arguments[++i];
            }
        } else if (IsSwitch(argument) || IsUnattendedSwitch(name)) {
            fault(u"Unknown switch " + argument + u".");
        } else {
            fault(u"Unexpected argument " + argument + u".");
        }
        if (!once) {
            fault(u"The switch " + argument + u" is given twice.");
        }
    }
    line.unattended = !firstUnattendedSwitch.empty();
    if (line.unattended && !silent) {
        fault(u"The switch " + firstUnattendedSwitch + u" needs -silent.");
    }
    return line;
}
