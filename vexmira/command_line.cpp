#include "vexmira/command_line.h"

namespace {

constexpr std::u16string_view kLogSuffix = u" -1";
// A command line this short is taken as a prefix even when it does not end
// with the suffix (C:\ or D:\x), and the log is written.
constexpr size_t kShortCommandLine = 4;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// At most the buffer's characters, never half of a surrogate pair.
std::u16string CutToBuffer(std::u16string_view text) {
    constexpr size_t kMaxLength = kCommandLineBufferSize - 1;
    if (text.size() <= kMaxLength) {
        return std::u16string(text);
    }
    size_t length = kMaxLength;
    if (IsHighSurrogate(text[length - 1])) {
        --length;
    }
    return std::u16string(text.substr(0, length));
}

}  // namespace

CommandLine ParseCommandLine(std::u16string_view text) {
    CommandLine result;
    if (text.size() > kShortCommandLine) {
        if (text.ends_with(kLogSuffix)) {
            text.remove_suffix(kLogSuffix.size());
        } else {
            result.logEnabled = false;
        }
    }
    result.prefix = CutToBuffer(text);
    return result;
}
