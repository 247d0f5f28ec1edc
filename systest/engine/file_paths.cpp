#include "systest/engine/file_paths.h"

#include "common/text.h"

namespace {

constexpr std::u16string_view kExtendedPrefix = u"\\\\?\\";
constexpr std::u16string_view kExtendedUncPrefix = u"\\\\?\\UNC\\";
constexpr std::u16string_view kUncPrefix = u"\\\\";
constexpr std::u16string_view kDevicePrefix = u"\\\\.\\";

// The prefixes are ASCII; Windows takes "unc" as well as "UNC".
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return ToUpperAscii(text.substr(0, prefix.size())) == prefix;
}

}  // namespace

std::u16string ExtendedLengthPath(std::u16string_view fullPath) {
    if (fullPath.starts_with(kExtendedPrefix) || IsDevicePath(fullPath)) {
        return std::u16string(fullPath);
    }
    if (fullPath.starts_with(kUncPrefix)) {
        return std::u16string(kExtendedUncPrefix) + std::u16string(fullPath.substr(2));
    }
    return std::u16string(kExtendedPrefix) + std::u16string(fullPath);
}

std::u16string WithoutExtendedPrefix(std::u16string_view path) {
    if (StartsWithIgnoringCase(path, kExtendedUncPrefix)) {
        return std::u16string(kUncPrefix) + std::u16string(path.substr(kExtendedUncPrefix.size()));
    }
    if (path.starts_with(kExtendedPrefix)) {
        return std::u16string(path.substr(kExtendedPrefix.size()));
    }
    return std::u16string(path);
}

bool IsDevicePath(std::u16string_view fullPath) {
    return fullPath.starts_with(kDevicePrefix);
}
