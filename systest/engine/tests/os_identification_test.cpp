#include "systest/engine/os_identification.h"

#include "systest/engine/bounded_text.h"
#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr uint32_t kNt = 2;
constexpr uint32_t kWorkstation = 1;
constexpr uint32_t kServer = 3;
constexpr uint32_t kX86 = 0;
constexpr uint32_t kIa64 = 6;
constexpr uint32_t kAmd64 = 9;

std::u16string Text(const OSDescription& description) {
    return std::u16string(description.text.data());
}

std::u16string VerdictText(const OSVerdict& verdict) {
    std::u16string text(1, verdict.verdict);
    if (verdict.digit != 0) {
        text += verdict.digit;
    }
    return text;
}

struct DescribeCase {
    const char* name;
    OSVersionFacts facts;
    std::u16string text;
    std::u16string verdict;  // verdict character and digit
};

void ExpectDescriptions(const std::vector<DescribeCase>& cases) {
    for (const DescribeCase& c : cases) {
        SCOPED_TRACE(c.name);
        OSDescription description;
        ASSERT_TRUE(DescribeOSVersion(c.facts, description));
        EXPECT_EQ(Text(description), c.text);
        EXPECT_EQ(VerdictText(description.verdict), c.verdict);
    }
}

TEST(DescribeOSVersion, Version6NamesEditionsAndBitness) {
    ExpectDescriptions({
        {"Vista Ultimate",
         {.majorVersion = 6,
          .minorVersion = 0,
          .buildNumber = 6002,
          .platformId = kNt,
          .servicePack = u"Service Pack 2",
          .servicePackMajor = 2,
          .productType = kWorkstation,
          .processorArchitecture = kAmd64,
          .editionType = 1},
         u"Microsoft Windows Vista Ultimate Edition Service Pack 2 (build 6002), 64-bit",
         u"+2"},
        {"Vista of an edition the table lacks",
         {.majorVersion = 6,
          .minorVersion = 0,
          .buildNumber = 6002,
          .platformId = kNt,
          .servicePack = u"Service Pack 2",
          .servicePackMajor = 2,
          .productType = kWorkstation,
          .processorArchitecture = kAmd64,
          .editionType = 0x1C},
         u"Microsoft Windows Vista  Service Pack 2 (build 6002), 64-bit",
         u"+2"},
        {"Vista without GetProductInfo",
         {.majorVersion = 6,
          .minorVersion = 0,
          .buildNumber = 6000,
          .platformId = kNt,
          .productType = kWorkstation,
          .processorArchitecture = kX86},
         u"Microsoft Windows Vista  (build 6000), 32-bit",
         u"-2"},
        {"Server 2008 32-bit",
         {.majorVersion = 6,
          .minorVersion = 0,
          .buildNumber = 6002,
          .platformId = kNt,
          .servicePack = u"Service Pack 2",
          .servicePackMajor = 2,
          .productType = kServer,
          .processorArchitecture = kX86,
          .editionType = 7},
         u"Microsoft Windows Server 2008 Standard Edition Service Pack 2 (build 6002), 32-bit",
         u"+2"},
        {"Server 2008 on Itanium has no bitness",
         {.majorVersion = 6,
          .minorVersion = 0,
          .buildNumber = 6001,
          .platformId = kNt,
          .servicePack = u"Service Pack 1",
          .servicePackMajor = 1,
          .productType = kServer,
          .processorArchitecture = kIa64,
          .editionType = 15},
         u"Microsoft Windows Server 2008 Enterprise Edition for Itanium-based Systems Service "
         u"Pack 1 (build 6001)",
         u"-2"},
        {"7 without a service pack",
         {.majorVersion = 6,
          .minorVersion = 1,
          .buildNumber = 7600,
          .platformId = kNt,
          .productType = kWorkstation,
          .processorArchitecture = kAmd64,
          .editionType = 48},
         u"Microsoft Windows 7 Professional (build 7600), 64-bit",
         u"-1"},
        {"7 Service Pack 1",
         {.majorVersion = 6,
          .minorVersion = 1,
          .buildNumber = 7601,
          .platformId = kNt,
          .servicePack = u"Service Pack 1",
          .servicePackMajor = 1,
          .productType = kWorkstation,
          .processorArchitecture = kX86,
          .editionType = 3},
         u"Microsoft Windows 7 Home Premium Edition Service Pack 1 (build 7601), 32-bit",
         u"+1"},
        // Row 5, not row 6, which would ask for service pack 2.
        {"Server 2008 R2",
         {.majorVersion = 6,
          .minorVersion = 1,
          .buildNumber = 7601,
          .platformId = kNt,
          .servicePack = u"Service Pack 1",
          .servicePackMajor = 1,
          .productType = kServer,
          .processorArchitecture = kAmd64,
          .editionType = 8},
         u"Microsoft Windows Server 2008 R2 Datacenter Edition Service Pack 1 (build 7601), "
         u"64-bit",
         u"+1"},
        {"8 is newer than the program knows",
         {.majorVersion = 6,
          .minorVersion = 2,
          .buildNumber = 9200,
          .platformId = kNt,
          .productType = kWorkstation,
          .processorArchitecture = kAmd64,
          .editionType = 48},
         u"Microsoft Professional (build 9200), 64-bit",
         u"N"},
        {"8.1 server",
         {.majorVersion = 6,
          .minorVersion = 3,
          .buildNumber = 9600,
          .platformId = kNt,
          .productType = kServer,
          .processorArchitecture = kAmd64,
          .editionType = 7},
         u"Microsoft Standard Edition (build 9600), 64-bit",
         u"N"},
        // Only version 6 names an edition.
        {"10",
         {.majorVersion = 10,
          .minorVersion = 0,
          .buildNumber = 19045,
          .platformId = kNt,
          .productType = kWorkstation,
          .processorArchitecture = kAmd64,
          .editionType = 48},
         u"Microsoft  (build 19045), 64-bit",
         u"N"},
    });
}

std::vector<std::u16string_view> Words(std::u16string_view text) {
    std::vector<std::u16string_view> words;
    for (size_t begin = 0, end = 0; begin < text.size(); begin = end + 1) {
        end = std::min(text.find(u' ', begin), text.size());
        if (end > begin) {
            words.push_back(text.substr(begin, end - begin));
        }
    }
    return words;
}

TEST(DescribeOSVersion, EveryEditionOfGetProductInfo) {
    // GetProductInfo's product types and the names Microsoft's documentation
    // gave them in the days of Windows Vista and 7 (it now says "Windows 10
    // Enterprise" for 0x04, "HPC Edition" for 0x12 and "Windows 10 Pro" for
    // 0x30), without its notes on installations of later servers.
    const struct {
        uint32_t type;
        bool server;
        std::u16string_view name;
    } documented[] = {
        {0x01, false, u"Ultimate"},                              // PRODUCT_ULTIMATE
        {0x02, false, u"Home Basic"},                            // PRODUCT_HOME_BASIC
        {0x03, false, u"Home Premium"},                          // PRODUCT_HOME_PREMIUM
        {0x04, false, u"Enterprise"},                            // PRODUCT_ENTERPRISE
        {0x06, false, u"Business"},                              // PRODUCT_BUSINESS
        {0x07, true, u"Server Standard"},                        // PRODUCT_STANDARD_SERVER
        {0x08, true, u"Server Datacenter"},                      // PRODUCT_DATACENTER_SERVER
        {0x09, true, u"Windows Small Business Server"},          // PRODUCT_SMALLBUSINESS_SERVER
        {0x0A, true, u"Server Enterprise"},                      // PRODUCT_ENTERPRISE_SERVER
        {0x0B, false, u"Starter"},                               // PRODUCT_STARTER
        {0x0C, true, u"Server Datacenter (core installation)"},  // ..._DATACENTER_SERVER_CORE
        {0x0D, true, u"Server Standard (core installation)"},    // ..._STANDARD_SERVER_CORE
        {0x0E, true, u"Server Enterprise (core installation)"},  // ..._ENTERPRISE_SERVER_CORE
        {0x0F, true, u"Server Enterprise for Itanium-based Systems"},  // ..._ENTERPRISE_SERVER_IA64
        {0x11, true, u"Web Server"},                                   // PRODUCT_WEB_SERVER
        {0x12, true, u"Cluster Server"},                               // PRODUCT_CLUSTER_SERVER
        {0x19, true, u"Small Business Server Premium"},  // PRODUCT_SMALLBUSINESS_SERVER_PREMIUM
        {0x30, false, u"Professional"},                  // PRODUCT_PROFESSIONAL
    };
    // Every documented type is named with the documentation's words, to which
    // the description may add "Edition"; no other type is named.
    for (uint32_t type = 0; type <= 0x100; ++type) {
        SCOPED_TRACE(type);
        const auto row =
            std::ranges::find_if(documented, [&](const auto& d) { return d.type == type; });
        const bool known = row != std::end(documented);
        const bool server = known && row->server;
        const OSVersionFacts facts = {.majorVersion = 6,
                                      .minorVersion = 1,
                                      .buildNumber = 7601,
                                      .platformId = kNt,
                                      .productType = server ? kServer : kWorkstation,
                                      .processorArchitecture = kAmd64,
                                      .editionType = type};
        OSDescription description;
        ASSERT_TRUE(DescribeOSVersion(facts, description));
        const std::u16string text = Text(description);
        const std::u16string_view version =
            server ? u"Microsoft Windows Server 2008 R2 " : u"Microsoft Windows 7 ";
        ASSERT_EQ(text.find(version), 0u) << testing::PrintToString(text);
        const auto edition = Words(std::u16string_view(text).substr(
            version.size(), text.find(u" (build") - version.size()));
        const auto named = known ? Words(row->name) : std::vector<std::u16string_view>();
        const auto said = Words(text);
        for (const std::u16string_view word : named) {
            EXPECT_NE(std::ranges::find(said, word), said.end()) << testing::PrintToString(text);
        }
        for (const std::u16string_view word : edition) {
            EXPECT_TRUE(word == u"Edition" || std::ranges::find(named, word) != named.end())
                << testing::PrintToString(text);
        }
        EXPECT_EQ(edition.empty(), !known) << testing::PrintToString(text);
    }
}

OSVersionFacts Version52(uint32_t productType, uint32_t architecture, uint32_t suiteMask,
                         bool serverR2 = false) {
    return {.majorVersion = 5,
            .minorVersion = 2,
            .buildNumber = 3790,
            .platformId = kNt,
            .servicePack = u"Service Pack 2",
            .servicePackMajor = 2,
            .suiteMask = suiteMask,
            .productType = productType,
            .processorArchitecture = architecture,
            .serverR2 = serverR2};
}

TEST(DescribeOSVersion, Version52NamesAndServerEditions) {
    constexpr uint32_t kEnterprise = 0x2;
    constexpr uint32_t kDatacenter = 0x80;
    constexpr uint32_t kBlade = 0x400;
    constexpr uint32_t kStorage = 0x2000;
    constexpr uint32_t kCompute = 0x4000;
    constexpr uint32_t kHomeServer = 0x8000;
    const std::u16string tail = u" Service Pack 2 (build 3790)";
    const std::u16string server = u"Microsoft Windows Server 2003, ";
    ExpectDescriptions({
        {"XP x64", Version52(kWorkstation, kAmd64, 0),
         u"Microsoft Windows XP Professional x64 Edition Service Pack 2 (build 3790)", u"+2"},
        {"2003 workstation on x86 names no edition", Version52(kWorkstation, kX86, 0),
         u"Microsoft Windows Server 2003,  Service Pack 2 (build 3790)", u"D"},
        {"R2 comes first", Version52(kServer, kX86, kEnterprise | kStorage, true),
         u"Microsoft Windows Server 2003 R2, Enterprise Edition Service Pack 2 (build 3790)", u"D"},
        {"storage server", Version52(kServer, kX86, kStorage | kHomeServer),
         u"Microsoft Windows Storage Server 2003Standard Edition Service Pack 2 (build 3790)",
         u"D"},
        {"home server", Version52(kServer, kX86, kHomeServer),
         u"Microsoft Windows Home ServerStandard Edition Service Pack 2 (build 3790)", u"D"},
        {"IA64 datacenter", Version52(kServer, kIa64, kDatacenter | kEnterprise),
         (server + u"Datacenter Edition for Itanium-based Systems" + tail), u"D"},
        {"IA64 enterprise", Version52(kServer, kIa64, kEnterprise),
         (server + u"Enterprise Edition for Itanium-based Systems" + tail), u"D"},
        {"IA64 neither", Version52(kServer, kIa64, kBlade), (server + tail), u"D"},
        {"x64 datacenter", Version52(kServer, kAmd64, kDatacenter | kEnterprise),
         (server + u"Datacenter x64 Edition" + tail), u"D"},
        {"x64 enterprise", Version52(kServer, kAmd64, kEnterprise),
         (server + u"Enterprise x64 Edition" + tail), u"D"},
        {"x64 neither", Version52(kServer, kAmd64, kCompute),
         (server + u"Standard x64 Edition" + tail), u"D"},
        {"compute cluster first", Version52(kServer, kX86, kCompute | kDatacenter),
         (server + u"Compute Cluster Edition" + tail), u"D"},
        {"datacenter", Version52(kServer, kX86, kDatacenter | kEnterprise),
         (server + u"Datacenter Edition" + tail), u"D"},
        {"enterprise", Version52(kServer, kX86, kEnterprise | kBlade),
         (server + u"Enterprise Edition" + tail), u"D"},
        {"web", Version52(kServer, kX86, kBlade), (server + u"Web Edition" + tail), u"D"},
        {"standard", Version52(kServer, kX86, 0), (server + u"Standard Edition" + tail), u"D"},
    });
}

TEST(DescribeOSVersion, XpAnd2000) {
    auto facts = [](uint32_t minor, uint32_t build, const char16_t* servicePack,
                    uint32_t servicePackMajor, uint32_t productType, uint32_t suiteMask) {
        return OSVersionFacts{.majorVersion = 5,
                              .minorVersion = minor,
                              .buildNumber = build,
                              .platformId = kNt,
                              .servicePack = servicePack,
                              .servicePackMajor = servicePackMajor,
                              .suiteMask = suiteMask,
                              .productType = productType,
                              .processorArchitecture = kX86};
    };
    ExpectDescriptions({
        {"XP Professional SP2", facts(1, 2600, u"Service Pack 2", 2, kWorkstation, 0x100),
         u"Microsoft Windows XP Professional Service Pack 2 (build 2600)", u"-3"},
        {"XP Home SP3", facts(1, 2600, u"Service Pack 3", 3, kWorkstation, 0x200),
         u"Microsoft Windows XP Home Edition Service Pack 3 (build 2600)", u"+3"},
        {"XP without service pack", facts(1, 2600, u"", 0, kWorkstation, 0),
         u"Microsoft Windows XP Professional (build 2600)", u"-3"},
        {"2000 Professional", facts(0, 2195, u"Service Pack 4", 4, kWorkstation, 0x80),
         u"Microsoft Windows 2000 Professional Service Pack 4 (build 2195)", u"D"},
        {"2000 Datacenter Server", facts(0, 2195, u"", 0, kServer, 0x82),
         u"Microsoft Windows 2000 Datacenter Server (build 2195)", u"D"},
        {"2000 Advanced Server", facts(0, 2195, u"", 0, kServer, 0x2),
         u"Microsoft Windows 2000 Advanced Server (build 2195)", u"D"},
        {"2000 Server", facts(0, 2195, u"", 0, kServer, 0),
         u"Microsoft Windows 2000 Server (build 2195)", u"D"},
        {"5.3 has no name", facts(3, 4000, u"", 0, kWorkstation, 0), u"Microsoft  (build 4000)",
         u"D"},
    });
}

TEST(DescribeOSVersion, RejectsOlderAndNonNtSystems) {
    const OSVersionFacts rejected[] = {
        {.majorVersion = 4, .minorVersion = 0, .buildNumber = 1381, .platformId = kNt},
        {.majorVersion = 4, .minorVersion = 90, .buildNumber = 3000, .platformId = 1},
        {.majorVersion = 6, .minorVersion = 1, .buildNumber = 7601, .platformId = 1},
    };
    for (const OSVersionFacts& facts : rejected) {
        SCOPED_TRACE(facts.majorVersion);
        OSDescription description;
        description.text.fill(u'#');
        description.verdict = {u'x', u'y'};
        EXPECT_FALSE(DescribeOSVersion(facts, description));
        EXPECT_EQ(description.text[0], u'#');
        EXPECT_EQ(description.verdict, (OSVerdict{u'x', u'y'}));
    }
}

TEST(DescribeOSVersion, CutsAnOverlongDescriptionAt256Units) {
    const std::u16string servicePack(300, u'x');
    const OSVersionFacts facts = {.majorVersion = 6,
                                  .minorVersion = 1,
                                  .buildNumber = 7601,
                                  .platformId = kNt,
                                  .servicePack = servicePack,
                                  .servicePackMajor = 1,
                                  .productType = kWorkstation,
                                  .processorArchitecture = kAmd64,
                                  .editionType = 1};
    OSDescription description;
    ASSERT_TRUE(DescribeOSVersion(facts, description));
    const std::u16string expected = u"Microsoft Windows 7 Ultimate Edition " + servicePack;
    EXPECT_EQ(Text(description), expected.substr(0, kOSDescriptionUnits - 1));
    EXPECT_EQ(description.text.back(), u'\0');
    EXPECT_EQ(VerdictText(description.verdict), u"+1");
}

TEST(ClassifyOSVersion, ServicePackCodesOfTheRequirementTable) {
    struct Case {
        const char16_t* text;
        uint32_t servicePack;
        const char16_t* verdict;
    };
    const Case cases[] = {
        {u"Microsoft Windows XP Professional Service Pack 2 (build 2600)", 2, u"-3"},
        {u"Microsoft Windows XP Professional (build 2600)", 0, u"-3"},
        {u"Microsoft Windows XP Professional Service Pack 3 (build 2600)", 3, u"+3"},
        {u"Microsoft Windows XP Professional Service Pack 4 (build 2600)", 4, u"+3"},
        {u"Microsoft Windows XP Professional Service Pack 5 (build 2600)", 5, u"?3"},
        {u"Microsoft Windows XP Professional x64 Edition (build 3790)", 1, u"-2"},
        {u"Microsoft Windows XP Professional x64 Edition Service Pack 2 (build 3790)", 2, u"+2"},
        {u"Microsoft Windows Vista Service Pack 1 (build 6001)", 1, u"-2"},
        {u"Microsoft Windows Vista Service Pack 3 (build 6003)", 3, u"+2"},
        {u"Microsoft Windows 7 (build 7600)", 0, u"-1"},
        {u"Microsoft Windows 7 Service Pack 1 (build 7601)", 1, u"+1"},
        {u"Microsoft Windows 7 Service Pack 2 (build 7602)", 2, u"+1"},
        {u"Microsoft Windows 7 Service Pack 3 (build 7603)", 3, u"?1"},
        {u"Microsoft Windows Server 2008 R2 (build 7600)", 0, u"-1"},
        {u"Microsoft Windows Server 2008 R2 Service Pack 1 (build 7601)", 1, u"+1"},
        {u"Microsoft Windows Server 2008 Service Pack 1 (build 6001)", 1, u"-2"},
        {u"Microsoft Windows Server 2003, Standard Edition (build 3790)", 2, u"D"},
        {u"Microsoft Windows 2000 Professional (build 2195)", 4, u"D"},
        {u"", 0, u"D"},
        {u"FutureOs!", 9, u"N"},
        // Only the exact marker counts as the future.
        {u"FutureOs! Windows 7", 1, u"+1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        char16_t digit = u'x';
        const char16_t verdict = ClassifyOSVersion(c.text, c.servicePack, digit);
        EXPECT_EQ(VerdictText({verdict, digit}), c.verdict);
    }
}

TEST(JudgeOperatingSystem, VerdictsToLevelsAndTexts) {
    struct Case {
        std::optional<OSVerdict> verdict;
        int32_t level;
        const char16_t* text;
    };
    const Case cases[] = {
        {std::nullopt, 0, u""},
        {OSVerdict{u'+', u'3'}, 3, u"Windows version supported"},
        {OSVerdict{u'?', u'1'}, 3, u"Windows version supported"},
        {OSVerdict{u'-', u'3'}, 1, u"Service Pack 3 required"},
        {OSVerdict{u'-', u'1'}, 1, u"Service Pack 1 required"},
        {OSVerdict{u'D', 0}, 1, u"Windows version not supported"},
        {OSVerdict{u'N', 0}, 2, u"Windows version newer than known"},
    };
    const MemoryStrings strings;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.verdict ? static_cast<char>(c.verdict->verdict) : '0');
        const CheckResult result = JudgeOperatingSystem(c.verdict, strings);
        EXPECT_EQ(static_cast<int32_t>(result.level), c.level);
        EXPECT_EQ(result.displayText, c.text);
    }
}

TEST(BoundedText, CutsAndStaysTerminated) {
    char16_t buffer[6];
    BoundedText text(buffer, 6);
    EXPECT_EQ(text.View(), u"");
    EXPECT_EQ(buffer[0], u'\0');
    text.Append(u"ab");
    text.AppendDecimal(-12);
    EXPECT_EQ(text.View(), u"ab-12");
    text.Append(u"cd");
    EXPECT_EQ(text.View(), u"ab-12");
    EXPECT_EQ(buffer[5], u'\0');

    char16_t numbers[32];
    for (const auto& [value, expected] : std::vector<std::pair<int32_t, std::u16string>>{
             {0, u"0"}, {7601, u"7601"}, {INT32_MAX, u"2147483647"}, {INT32_MIN, u"-2147483648"}}) {
        BoundedText number(numbers, 32);
        number.AppendDecimal(value);
        EXPECT_EQ(number.View(), expected);
    }
}

}  // namespace
