// The operating system description and verdict from any version facts, and
// the verdict of any description text. Input: major, minor, build, platform,
// the service pack text, its major number, suite mask, product type,
// processor architecture, SM_SERVERR2, then the edition (a line "-" for none).
#include "fuzz/fuzz_lines.h"

#include "systest/engine/os_identification.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    OSVersionFacts facts;
    facts.majorVersion = static_cast<uint32_t>(input.NextNumber());
    facts.minorVersion = static_cast<uint32_t>(input.NextNumber());
    facts.buildNumber = static_cast<uint32_t>(input.NextNumber());
    facts.platformId = static_cast<uint32_t>(input.NextNumber());
    const std::u16string servicePack = input.Next();
    facts.servicePack = servicePack;
    facts.servicePackMajor = static_cast<uint32_t>(input.NextNumber());
    facts.suiteMask = static_cast<uint32_t>(input.NextNumber());
    facts.productType = static_cast<uint32_t>(input.NextNumber());
    facts.processorArchitecture = static_cast<uint32_t>(input.NextNumber());
    facts.serverR2 = input.NextNumber() != 0;
    const std::u16string edition = input.Next();
    if (edition != u"-") {
        facts.editionType = static_cast<uint32_t>(ParseLeadingInt(edition));
    }

    OSDescription description;
    if (DescribeOSVersion(facts, description)) {
        // The caller's buffer holds a terminated text.
        FUZZ_CHECK(std::find(description.text.begin(), description.text.end(), u'\0') !=
                   description.text.end());
    }
    char16_t digit = 0;
    const char16_t verdict = ClassifyOSVersion(servicePack, facts.servicePackMajor, digit);
    FUZZ_CHECK(std::u16string_view(u"+?-DN").find(verdict) != std::u16string_view::npos);
    return 0;
}
