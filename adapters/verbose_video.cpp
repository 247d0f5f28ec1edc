#include "adapters/verbose_video.h"

#include "common/format.h"
#include "common/text.h"

bool HasVerboseVideoSwitch(std::u16string_view commandLine) {
    return commandLine.find(u"-verbosevideo") != std::u16string_view::npos;
}

std::u16string VersionBoxText(const DriverVersionNumber& version) {
    return FormatString(u"Version: %d.%d.%d.%d",
                        {version.part1, version.part2, version.part3, version.part4});
}

std::u16string ComparisonBoxText(const DriverVersionNumber& list,
                                 const DriverVersionNumber& adapter,
                                 const DriverVersionComparison& comparison, bool dateOk,
                                 DriverDateNumber adapterDate, DriverDateNumber listDate) {
    // "Adapder" is the box's wording as users of the switch know it.
    return FormatString(
        u"%d-%d-%d-%d %d-%d-%d-%d\nOk-Version:%d Dp:%s\nOk-Date:%d Adapder:%d Gc:%d",
        {list.part1, list.part2, list.part3, list.part4, adapter.part1, adapter.part2,
         adapter.part3, adapter.part4, int32_t{comparison.versionOk},
         Utf16FromAscii(comparison.trace), int32_t{dateOk}, adapterDate, listDate});
}

std::u16string ReturnValueBoxText(int32_t exitCode) {
    return FormatString(u"Return value: %d", {exitCode});
}
