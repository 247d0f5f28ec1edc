// Identification of the running Windows version: its description ("Microsoft
// Windows 7 Professional Service Pack 1 (build 7601), 64-bit"), its verdict
// against the product's requirement table and the operating system check.
// All of it works on version facts that the Windows layer reads
// (os_display_string.h), so every branch is tested without Windows.
#pragma once

#include "systest/engine/check_result.h"
#include "systest/engine/string_source.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The caller's buffers of GetOSDisplayString.
inline constexpr size_t kOSDescriptionUnits = 256;
inline constexpr size_t kOSVerdictUnits = 3;  // verdict character, digit, 0

// What GetVersionExW, GetNativeSystemInfo, GetSystemMetrics and GetProductInfo
// report.
struct OSVersionFacts {
    uint32_t majorVersion = 0;
    uint32_t minorVersion = 0;
    uint32_t buildNumber = 0;
    uint32_t platformId = 0;
    std::u16string_view servicePack{};  // szCSDVersion, e.g. "Service Pack 3"
    uint32_t servicePackMajor = 0;
    uint32_t suiteMask = 0;
    uint32_t productType = 0;            // VER_NT_WORKSTATION, ...
    uint32_t processorArchitecture = 0;  // of the native system
    bool serverR2 = false;               // GetSystemMetrics(SM_SERVERR2) != 0
    // GetProductInfo's product type, for version 6; none when the system lacks
    // the function.
    std::optional<uint32_t> editionType{};
};

// The verdict characters.
inline constexpr char16_t kOSSupported = u'+';
inline constexpr char16_t kOSServicePackNewer = u'?';  // newer than the table knows; supported
inline constexpr char16_t kOSServicePackTooOld = u'-';
inline constexpr char16_t kOSNotInTable = u'D';
inline constexpr char16_t kOSFutureWindows = u'N';  // newer than any version the program knows

struct OSVerdict {
    char16_t verdict = 0;
    char16_t digit = 0;  // the required service pack as a digit; 0 for D and N

    friend bool operator==(const OSVerdict&, const OSVerdict&) = default;
};

struct OSDescription {
    std::array<char16_t, kOSDescriptionUnits> text{};  // terminated
    OSVerdict verdict;
};

// A supported Windows version and its service pack code: one character per
// service pack level from 0; the level equal to the code's length counts as
// "+" and any higher level as "?". The required service pack is the position
// of the last "+".
struct OSRequirement {
    std::u16string_view pattern;  // found anywhere in the description
    std::u16string_view servicePackCode;
};

// Searched in this order: the longer patterns come before the shorter ones
// they contain.
inline constexpr std::array<OSRequirement, 6> kOSRequirementTable = {{
    {u"Windows XP Professional x64", u"--+"},
    {u"Windows XP", u"---+"},
    {u"Windows Vista", u"--+"},
    {u"Windows 7", u"-+"},
    {u"Windows Server 2008 R2", u"-+"},
    {u"Windows Server 2008", u"--+"},
}};

// The description that stands for a version newer than any the program knows.
inline constexpr std::u16string_view kFutureOSText = u"FutureOs!";

// Describes and classifies the version. False, with the description left
// alone, when the facts are not of a Windows NT system of version 5 or later.
bool DescribeOSVersion(const OSVersionFacts& facts, OSDescription& description);

// The verdict character of a description for the installed service pack; the
// required service pack's digit goes to digit.
char16_t ClassifyOSVersion(std::u16string_view text, uint32_t servicePackMajor, char16_t& digit);

// The operating system check from GetOSDisplayString's verdict; no verdict
// (the version could not be read) gives no row.
CheckResult JudgeOperatingSystem(const std::optional<OSVerdict>& verdict,
                                 const StringSource& strings);
