#include "systest/engine/os_display_string.h"

#include "common/win/handles.h"

namespace {

constexpr DWORD kVersionWithProductInfo = 6;

static_assert(sizeof(OSVERSIONINFOEXW) == 284, "the size GetVersionExW is given");
static_assert(kOSDescriptionUnits == GET_OS_DISPLAY_STRING_DESCRIPTION_UNITS);
static_assert(kOSVerdictUnits == GET_OS_DISPLAY_STRING_VERDICT_UNITS);
static_assert(kServicePackTextUnits == sizeof(OSVERSIONINFOEXW::szCSDVersion) / sizeof(WCHAR));

}  // namespace

bool ReadOSVersionFacts(OSVersionFacts& facts, ServicePackText& servicePack) {
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version))) {
        return false;
    }
    SYSTEM_INFO system = {};
    const auto getNativeSystemInfo =
        ResolveFunction<void(SYSTEM_INFO*)>(L"kernel32.dll", "GetNativeSystemInfo");
    if (getNativeSystemInfo != nullptr) {
        getNativeSystemInfo(&system);
    } else {
        GetSystemInfo(&system);
    }

    size_t length = 0;
    while (length < servicePack.size() - 1 && version.szCSDVersion[length] != L'\0') {
        servicePack[length] = static_cast<char16_t>(version.szCSDVersion[length]);
        ++length;
    }
    servicePack[length] = u'\0';

    facts.majorVersion = version.dwMajorVersion;
    facts.minorVersion = version.dwMinorVersion;
    facts.buildNumber = version.dwBuildNumber;
    facts.platformId = version.dwPlatformId;
    facts.servicePack = std::u16string_view(servicePack.data(), length);
    facts.servicePackMajor = version.wServicePackMajor;
    facts.suiteMask = version.wSuiteMask;
    facts.productType = version.wProductType;
    facts.processorArchitecture = system.wProcessorArchitecture;
    facts.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
    facts.editionType.reset();
    if (version.dwMajorVersion == kVersionWithProductInfo) {
        // Resolved by name: older systems lack it, and without it there is no
        // edition to name.
        const auto getProductInfo = ResolveFunction<BOOL(DWORD, DWORD, DWORD, DWORD, DWORD*)>(
            L"kernel32.dll", "GetProductInfo");
        if (getProductInfo != nullptr) {
            DWORD productType = 0;  // PRODUCT_UNDEFINED, also when the call fails
            getProductInfo(version.dwMajorVersion, version.dwMinorVersion, 0, 0, &productType);
            facts.editionType = productType;
        }
    }
    return true;
}

// A missing buffer, too, gives 0.
extern "C" __declspec(dllexport) int __cdecl GetOSDisplayString(wchar_t* description,
                                                                wchar_t* verdict) {
    if (description == nullptr || verdict == nullptr) {
        return 0;
    }
    OSVersionFacts facts;
    ServicePackText servicePack;
    OSDescription result;
    if (!ReadOSVersionFacts(facts, servicePack) || !DescribeOSVersion(facts, result)) {
        return 0;
    }
    for (size_t i = 0; i < result.text.size(); ++i) {
        description[i] = result.text[i];
        if (result.text[i] == u'\0') {
            break;
        }
    }
    verdict[0] = result.verdict.verdict;
    verdict[1] = result.verdict.digit;
    verdict[2] = L'\0';
    return 1;
}
