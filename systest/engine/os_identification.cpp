#include "systest/engine/os_identification.h"

#include "common/format.h"
#include "systest/engine/bounded_text.h"
#include "systest/resources/string_ids.h"

// Nothing here may need the C++ run-time's start-up or the heap when reached
// from GetOSDisplayString: constant tables only, and the description is built
// in the caller's fixed buffer.

namespace {

// Values of the Win32 version structures.
constexpr uint32_t kPlatformWin32Nt = 2;  // VER_PLATFORM_WIN32_NT
constexpr uint32_t kWorkstation = 1;      // VER_NT_WORKSTATION
constexpr uint32_t kArchitectureIntel = 0;
constexpr uint32_t kArchitectureIa64 = 6;
constexpr uint32_t kArchitectureAmd64 = 9;
constexpr uint32_t kSuiteEnterprise = 0x2;
constexpr uint32_t kSuiteDatacenter = 0x80;
constexpr uint32_t kSuitePersonal = 0x200;
constexpr uint32_t kSuiteBlade = 0x400;
constexpr uint32_t kSuiteStorageServer = 0x2000;
constexpr uint32_t kSuiteComputeServer = 0x4000;
constexpr uint32_t kSuiteHomeServer = 0x8000;

// " (build %d)" is formatted into a buffer of this size.
constexpr size_t kBuildTextUnits = 80;

struct Edition {
    uint32_t productType;  // of GetProductInfo
    std::u16string_view name;
};

constexpr Edition kEditions[] = {
    {1, u"Ultimate Edition"},
    {2, u"Home Basic Edition"},
    {3, u"Home Premium Edition"},
    {4, u"Enterprise Edition"},
    {6, u"Business Edition"},
    {7, u"Standard Edition"},
    {8, u"Datacenter Edition"},
    {9, u"Small Business Server"},
    {10, u"Enterprise Edition"},
    {11, u"Starter Edition"},
    {12, u"Datacenter Edition (core installation)"},
    {13, u"Standard Edition (core installation)"},
    {14, u"Enterprise Edition (core installation)"},
    {15, u"Enterprise Edition for Itanium-based Systems"},
    {17, u"Web Server Edition"},
    {18, u"Cluster Server Edition"},
    {25, u"Small Business Server Premium Edition"},
    {48, u"Professional"},
};

bool Has(uint32_t suiteMask, uint32_t suite) {
    return (suiteMask & suite) != 0;
}

std::u16string_view EditionName(uint32_t productType) {
    for (const Edition& edition : kEditions) {
        if (edition.productType == productType) {
            return edition.name;
        }
    }
    return {};
}

// Version 6: Vista, 7 and their servers. Returns whether the minor version is
// one the program does not know (6.2 and later).
bool AppendVersion6(const OSVersionFacts& facts, BoundedText& text) {
    const bool workstation = facts.productType == kWorkstation;
    bool future = false;
    switch (facts.minorVersion) {
        case 0:
            text.Append(workstation ? u"Windows Vista " : u"Windows Server 2008 ");
            break;
        case 1:
            text.Append(workstation ? u"Windows 7 " : u"Windows Server 2008 R2 ");
            break;
        default:
            future = true;
            break;
    }
    if (facts.editionType) {
        text.Append(EditionName(*facts.editionType));
    }
    return future;
}

std::u16string_view Server2003Edition(const OSVersionFacts& facts) {
    const uint32_t suites = facts.suiteMask;
    switch (facts.processorArchitecture) {
        case kArchitectureIa64:
            if (Has(suites, kSuiteDatacenter)) {
                return u"Datacenter Edition for Itanium-based Systems";
            }
            if (Has(suites, kSuiteEnterprise)) {
                return u"Enterprise Edition for Itanium-based Systems";
            }
            return {};
        case kArchitectureAmd64:
            if (Has(suites, kSuiteDatacenter)) {
                return u"Datacenter x64 Edition";
            }
            if (Has(suites, kSuiteEnterprise)) {
                return u"Enterprise x64 Edition";
            }
            return u"Standard x64 Edition";
        default:
            if (Has(suites, kSuiteComputeServer)) {
                return u"Compute Cluster Edition";
            }
            if (Has(suites, kSuiteDatacenter)) {
                return u"Datacenter Edition";
            }
            if (Has(suites, kSuiteEnterprise)) {
                return u"Enterprise Edition";
            }
            if (Has(suites, kSuiteBlade)) {
                return u"Web Edition";
            }
            return u"Standard Edition";
    }
}

// Version 5.2: Server 2003 and its relatives, and XP Professional x64.
void AppendVersion52(const OSVersionFacts& facts, BoundedText& text) {
    const bool workstation = facts.productType == kWorkstation;
    if (facts.serverR2) {
        text.Append(u"Windows Server 2003 R2, ");
    } else if (Has(facts.suiteMask, kSuiteStorageServer)) {
        text.Append(u"Windows Storage Server 2003");
    } else if (Has(facts.suiteMask, kSuiteHomeServer)) {
        text.Append(u"Windows Home Server");
    } else if (workstation && facts.processorArchitecture == kArchitectureAmd64) {
        text.Append(u"Windows XP Professional x64 Edition");
    } else {
        text.Append(u"Windows Server 2003, ");
    }
    if (!workstation) {
        text.Append(Server2003Edition(facts));
    }
}

void AppendVersion51(const OSVersionFacts& facts, BoundedText& text) {
    text.Append(u"Windows XP ");
    text.Append(Has(facts.suiteMask, kSuitePersonal) ? u"Home Edition" : u"Professional");
}

void AppendVersion50(const OSVersionFacts& facts, BoundedText& text) {
    text.Append(u"Windows 2000 ");
    if (facts.productType == kWorkstation) {
        text.Append(u"Professional");
    } else if (Has(facts.suiteMask, kSuiteDatacenter)) {
        text.Append(u"Datacenter Server");
    } else if (Has(facts.suiteMask, kSuiteEnterprise)) {
        text.Append(u"Advanced Server");
    } else {
        text.Append(u"Server");
    }
}

}  // namespace

bool DescribeOSVersion(const OSVersionFacts& facts, OSDescription& description) {
    if (facts.platformId != kPlatformWin32Nt || facts.majorVersion <= 4) {
        return false;
    }
    BoundedText text(description.text.data(), description.text.size());
    text.Append(u"Microsoft ");
    bool future = false;
    if (facts.majorVersion == 6) {
        future = AppendVersion6(facts, text);
    } else if (facts.majorVersion == 5) {
        switch (facts.minorVersion) {
            case 2:
                AppendVersion52(facts, text);
                break;
            case 1:
                AppendVersion51(facts, text);
                break;
            case 0:
                AppendVersion50(facts, text);
                break;
            default:
                break;
        }
    } else {
        future = true;  // major version 7 and later
    }

    if (!facts.servicePack.empty()) {
        text.Append(u" ");
        text.Append(facts.servicePack);
    }
    char16_t build[kBuildTextUnits];
    BoundedText buildText(build, kBuildTextUnits);
    buildText.Append(u" (build ");
    buildText.AppendDecimal(static_cast<int32_t>(facts.buildNumber));
    buildText.Append(u")");
    text.Append(buildText.View());
    if (facts.majorVersion >= 6) {
        if (facts.processorArchitecture == kArchitectureAmd64) {
            text.Append(u", 64-bit");
        } else if (facts.processorArchitecture == kArchitectureIntel) {
            text.Append(u", 32-bit");
        }
    }

    OSVerdict& verdict = description.verdict;
    verdict.verdict = ClassifyOSVersion(future ? kFutureOSText : text.View(),
                                        facts.servicePackMajor, verdict.digit);
    return true;
}

char16_t ClassifyOSVersion(std::u16string_view text, uint32_t servicePackMajor, char16_t& digit) {
    digit = u'\0';
    if (text == kFutureOSText) {
        return kOSFutureWindows;
    }
    for (const OSRequirement& row : kOSRequirementTable) {
        if (text.find(row.pattern) == std::u16string_view::npos) {
            continue;
        }
        const std::u16string_view code = row.servicePackCode;
        const size_t lastPlus = code.rfind(kOSSupported);
        const size_t required = lastPlus == std::u16string_view::npos ? code.size() : lastPlus;
        digit = static_cast<char16_t>(u'0' + required);
        if (servicePackMajor > code.size()) {
            return kOSServicePackNewer;
        }
        if (servicePackMajor == code.size()) {
            return kOSSupported;
        }
        return code[servicePackMajor];
    }
    return kOSNotInTable;
}

CheckResult JudgeOperatingSystem(const std::optional<OSVerdict>& verdict,
                                 const StringSource& strings) {
    if (!verdict) {
        return {};
    }
    switch (verdict->verdict) {
        case kOSSupported:
        case kOSServicePackNewer:
            return {CheckLevel::Passed, strings.Load(IDS_OS_PASSED), {}};
        case kOSServicePackTooOld: {
            const int32_t required = verdict->digit - u'0';
            return {CheckLevel::Failed,
                    FormatString(strings.Load(IDS_OS_SERVICE_PACK_TOO_OLD), {required}),
                    {}};
        }
        case kOSFutureWindows:
            return {CheckLevel::Warning, strings.Load(IDS_OS_NEWER_WINDOWS), {}};
        default:  // kOSNotInTable
            return {CheckLevel::Failed, strings.Load(IDS_OS_NOT_SUPPORTED), {}};
    }
}
