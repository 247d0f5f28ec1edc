#include "systest/ui/command_line.h"

#include "common/text.h"

namespace {

constexpr std::u16string_view kSilent = u"-silent";
constexpr std::u16string_view kAcceptAgreement = u"-acceptagreement";
constexpr std::u16string_view kReport = u"-report";
constexpr std::u16string_view kJson = u"-json";
// Read by the graphics checks themselves (adapters/verbose_video.h).
constexpr std::u16string_view kVerboseVideo = u"-verbosevideo";

bool IsSwitch(std::u16string_view argument) {
    return !argument.empty() && argument.front() == u'-';
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
    bool verboseVideo = false;
    for (size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::u16string& argument = arguments[i];
        const std::u16string name = ToLowerAscii(argument);
        bool once = true;
        if (name == kSilent) {
            once = SetOnce(line.silent);
        } else if (name == kAcceptAgreement) {
            once = SetOnce(line.acceptAgreement);
        } else if (name == kVerboseVideo) {
            once = SetOnce(verboseVideo);
        } else if (name == kReport || name == kJson) {
            std::optional<std::u16string>& path = name == kReport ? line.reportPath : line.jsonPath;
            once = !path.has_value();
            if (once && (i + 1 == arguments.size() || arguments[i + 1].empty() ||
                         IsSwitch(arguments[i + 1]))) {
                line.error = u"A file name must follow " + argument + u".";
            } else if (once) {
                path = arguments[++i];
            }
        } else if (IsSwitch(argument)) {
            line.error = u"Unknown switch " + argument + u".";
        } else {
            line.error = u"Unexpected argument " + argument + u".";
        }
        if (!once) {
            line.error = u"The switch " + argument + u" is given twice.";
        }
    }
    return line;
}
