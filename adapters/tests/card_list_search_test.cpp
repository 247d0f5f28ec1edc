#include "adapters/card_list_search.h"

#include "adapters/tests/fake_video_system.h"
#include "adapters/tests/memory_card_list.h"
#include "adapters/tests/recorded_output.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::u16string kListPath = u"C:\\Quarvel\\GraphicsCardGBList.txt";

// The diagnostic's first active adapter: an NVIDIA Quadro FX 580 whose driver
// is dated 2012-01-20.
VideoAdapterTable QuadroTable(DriverDateNumber driverDate = 20120120) {
    VideoAdapterTable table;
    table[1] = {true,       u"NVIDIA QUADRO FX 580", 512, {295, 73, 0, 0},
                driverDate, ToUpperAscii(kQuadroPnp)};
    return table;
}

std::vector<std::u16string> Head(DriverDateNumber driverDate = 20120120) {
    return {u"GB-list file C:\\Quarvel\\GraphicsCardGBList.txt\n",
            u"Searching for NVIDIA QUADRO FX 580 (" + ToUpperAscii(kQuadroPnp) +
                u") driver version: 295.73.0.0  date: " +
                Utf16FromAscii(std::to_string(driverDate)) + u"...\n\n"};
}

std::vector<std::u16string> With(std::vector<std::u16string> lines,
                                 const std::vector<std::u16string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const std::u16string kNotFound = u"Error! The video adapters were not found in the list.\n";
const std::u16string kMatch = u"Match found: NVIDIA QUADRO FX 580 285.62.0.0\n";
const std::u16string kOutdated = u"The driver is not up to date!\n";

struct SearchCase {
    const char* what;
    CardListMode mode;
    std::vector<std::u16string> list;
    int result;
    std::vector<std::u16string> log;  // after the two head lines
};

TEST(SearchCardList, ResultsAndLogLinesOfBothModes) {
    const auto full = CardListMode::Full;
    const auto named = CardListMode::NamedCardsOnly;
    const std::u16string gd = u"Quadro FX 580,285.62,20111205,GD";
    const std::u16string gdLater = u"Quadro FX 580,285.62,20120301,GD";
    const std::u16string cdLater = u"pci\\ven_10de&dev_0659,285.62,20120301,CD";
    const SearchCase cases[] = {
        // clang-format off
        {"only comments and blank lines", full, {u"# list", u"", u"\r\n", u"#x,1.2,20120101,GD"}, -5, {kNotFound}},
        {"only comments, OpenGL 3", named, {u"# list", u"\n"}, -5, {kNotFound}},
        {"no line matches", full, {u"Quadro FX 5800,285.62,20111205,GD\n"}, -2, {}},
        {"invalid last line", full, {u"Quadro FX 5800,285.62,20111205,GD", u"Quadro FX 580,285,20111205,GD"}, -1, {u"Invalid line ! Quadro FX 580,285,20111205,GD\n"}},
        {"invalid line, then no match", full, {u"garbage", u"Quadro FX 5800,285.62,20111205,GD"}, -2, {u"Invalid line ! garbage\n"}},
        {"line breaks are removed", full, {u"Quadro FX 580,285.62,20111205,GD\r\n"}, 1, {kMatch}},
        {"GD, driver current", full, {gd}, 1, {kMatch}},
        {"GD, driver older", full, {gdLater}, 2, {kMatch, kOutdated}},
        {"GL, driver current", full, {u"Quadro FX 580,285.62,20111205,GL"}, 1, {kMatch, u"Test for driver version...\n", u"Driver test passed\n"}},
        {"GL, driver older", full, {u"Quadro FX 580,285.62,20120301,GL"}, 2, {kMatch, kOutdated, u"Test for driver version...\n", u"Driver test passed\n"}},
        {"NG ends the search at once", full, {u"Quadro FX 580,285.62,20111205,NG", gd}, 0, {kMatch}},
        {"GD before NG: GD ends the search", full, {gd, u"Quadro FX 580,285.62,20111205,NG"}, 1, {kMatch}},
        {"CD logs and goes on", full, {cdLater, u"Quadro FX 5800,1.2,20111205,GD"}, -2, {kMatch, kOutdated}},
        {"CD older, then GD current: the CD line counts", full, {cdLater, gd}, 2, {kMatch, kOutdated, kMatch}},
        {"lower-case code ends nothing", full, {u"Quadro FX 580,285.62,20111205,gd"}, -1, {kMatch}},
        {"two commas only: empty code", full, {u"Quadro FX 580,285.62,20111205"}, -1, {kMatch}},
        {"OpenGL 3: a card no line names passes", named, {u"Quadro FX 5800,285.62,20111205,GD", u"garbage"}, 3, {u"Invalid line ! garbage\n"}},
        {"OpenGL 3: NG is not passed", named, {u"Quadro FX 580,285.62,20111205,NG", gd}, 0, {kMatch}},
        {"OpenGL 3: GD, driver older", named, {gdLater}, 2, {kMatch, kOutdated}},
        {"OpenGL 3: a CD line after the first", named, {gd, cdLater}, 1, {kMatch}},
        {"OpenGL 3: CD older, nothing else", named, {u"# first", cdLater}, 2, {kMatch, kOutdated}},
        {"OpenGL 3: cd in lower case ends nothing", named, {u"pci\\ven_10de&dev_0659,285.62,20120301,cd"}, 3, {kMatch, kOutdated}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MemoryListFiles files(c.list);
        MemoryLog log;
        EXPECT_EQ(SearchCardList(QuadroTable(), kListPath, c.mode, files, log), c.result);
        EXPECT_EQ(log.lines, With(Head(), c.log));
    }
}

TEST(SearchCardList, AdapterDateZeroIsNeverCurrent) {
    MemoryListFiles files({u"Quadro FX 580,285.62,20000101,GD"});
    MemoryLog log;
    EXPECT_EQ(SearchCardList(QuadroTable(0), kListPath, CardListMode::Full, files, log), 2);
    EXPECT_EQ(log.lines.back(), kOutdated);
}

TEST(SearchCardList, WithoutActiveAdapterTheFileIsNotOpened) {
    MemoryListFiles files({u"Quadro FX 580,285.62,20111205,GD"});
    MemoryLog log;
    EXPECT_EQ(SearchCardList(VideoAdapterTable{}, kListPath, CardListMode::Full, files, log), 0);
    EXPECT_EQ(log.lines,
              std::vector<std::u16string>{u"GB-list file C:\\Quarvel\\GraphicsCardGBList.txt\n"});
    EXPECT_TRUE(files.openedPaths.empty());
}

TEST(SearchCardList, MissingFile) {
    for (CardListMode mode : {CardListMode::Full, CardListMode::NamedCardsOnly}) {
        MemoryListFiles files({});
        files.exists = false;
        MemoryLog log;
        EXPECT_EQ(SearchCardList(QuadroTable(), kListPath, mode, files, log), 0);
        EXPECT_EQ(log.lines, With(Head(), {u"GB-list file not found !\n"}));
        EXPECT_EQ(files.openedPaths, std::vector<std::u16string>{kListPath});
    }
}

TEST(SearchCardList, SearchesTheFirstActiveAdapterOnly) {
    VideoAdapterTable table = QuadroTable();
    table[0] = {false, u"NVIDIA QUADRO FX 5800", 4096, {}, 20120120, u"PCI\\VEN_10DE&DEV_05FD"};
    table[2] = {true, u"NVIDIA QUADRO FX 5800", 4096, {}, 20120120, u"PCI\\VEN_10DE&DEV_05FD"};
    MemoryListFiles files({u"Quadro FX 5800,285.62,20111205,GD"});
    MemoryLog log;
    EXPECT_EQ(SearchCardList(table, kListPath, CardListMode::Full, files, log), -2);
}

// The system test's scan for its primary adapter.
PrimaryVideoAdapter QuadroAdapter(DriverDateNumber driverDate = 20120120) {
    return {
        u"NVIDIA Quadro FX 580", {295, 73, 0, 0}, 512 * kMb, driverDate, kQuadroPnp, false, {}, {}};
}

CardListMatch Scan(const std::vector<std::u16string>& list, const PrimaryVideoAdapter& adapter,
                   RecordedVideo& boxes) {
    MemoryCardListLines lines(list);
    return ScanCardList(&lines, adapter, boxes);
}

TEST(ScanCardList, LastMatchWinsAndHowItsDriverCompares) {
    // The adapter's driver is 295.73 of 2012-01-20.
    const struct {
        const char* what;
        std::vector<std::u16string> list;
        std::u16string code;  // empty: nothing matched
        DriverVersionNumber version;
        DriverDateNumber date;
        bool versionCurrent;
        bool dateCurrent;
    } cases[] = {
        // clang-format off
        {"GD, then NG for the same adapter", {u"Quadro FX 580,285.62,20111205,GD", u"Quadro,8.15,20111205,NG"}, u"NG", {8, 15, 0, 0}, 20111205, true, true},
        {"a later line of another adapter", {u"Quadro FX 580,285.62,20111205,GL", u"Quadro FX 5800,1.2,20111205,NG"}, u"GL", {285, 62, 0, 0}, 20111205, true, true},
        {"a line newer in version and date", {u"Quadro FX 580,301.42,20120320,GL"}, u"GL", {301, 42, 0, 0}, 20120320, false, false},
        {"comments, invalid lines and two commas are skipped", {u"#Quadro FX 580,1.1,20111205,NG", u"Quadro FX 580,285.62,20111205", u"Quadro FX 580,285.62,1,GD", u""}, u"", {}, 0, false, false},
        {"an empty name matches", {u",1.2,20111205,GD"}, u"GD", {1, 2, 0, 0}, 20111205, true, true},
        {"a one-part version", {u"Quadro,295,20120121,GD"}, u"GD", {295, 0, 0, 0}, 20120121, true, false},
        {"a lower-case code is kept as it is", {u"Quadro,295.73,20111205,gd"}, u"gd", {295, 73, 0, 0}, 20111205, true, true},
        {"a code with a comment", {u"Quadro,295.74,20111205,GD # note"}, u"GD # note", {295, 74, 0, 0}, 20111205, false, true},
        {"CD with a current driver ends the scan", {u"pci\\ven_10de&dev_0659,280.26,20111205,CD", u"Quadro,1.2,20111205,NG"}, u"CD", {280, 26, 0, 0}, 20111205, true, true},
        {"CD with an older driver does not", {u"pci\\ven_10de&dev_0659,280.26,20120301,CD", u"Quadro,1.2,20111205,NG"}, u"NG", {1, 2, 0, 0}, 20111205, true, true},
        {"cd in lower case does not end the scan", {u"pci\\ven_10de&dev_0659,280.26,20111205,cd", u"Quadro,1.2,20111205,NG"}, u"NG", {1, 2, 0, 0}, 20111205, true, true},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordedVideo boxes;
        const CardListMatch match = Scan(c.list, QuadroAdapter(), boxes);
        EXPECT_EQ(match.matched, !c.code.empty());
        EXPECT_EQ(match.entryCode, c.code);
        EXPECT_EQ(match.listVersion, c.version);
        EXPECT_EQ(match.listDate, c.date);
        EXPECT_EQ(match.versionCurrent, c.versionCurrent);
        EXPECT_EQ(match.dateCurrent, c.dateCurrent);
    }
}

TEST(ScanCardList, UnknownAdapterDateCountsAsCurrent) {
    RecordedVideo boxes;
    const CardListMatch match =
        Scan({u"pci\\ven_10de&dev_0659,280.26,20120301,CD", u"Quadro,1.2,20111205,NG"},
             QuadroAdapter(0), boxes);
    EXPECT_EQ(match.entryCode, u"CD");
}

TEST(ScanCardList, WithoutFileNothingIsRemembered) {
    RecordedVideo boxes;
    const CardListMatch match = ScanCardList(nullptr, QuadroAdapter(), boxes);
    EXPECT_FALSE(match.matched);
    EXPECT_TRUE(match.entryCode.empty());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(ScanCardList, ShowsEachMatchInTheDiagnosticBoxes) {
    RecordedVideo boxes;
    Scan({u"Quadro FX 5800,1.2,20111205,GD", u"Quadro FX 580,295.73,20120120,GD",
          u"pci\\ven_10de&dev_0659,300.1,20120301,CD"},
         QuadroAdapter(), boxes);
    using Box = std::pair<std::u16string, std::u16string>;
    const std::vector<Box> expected{
        {u"Die Version",
         u"295-73-0-0 295-73-0-0\nOk-Version:1 Dp:GC:iv1==v1-iv2==v2-iv3==v3-iv4<=v4|\n"
         u"Ok-Date:1 Adapder:20120120 Gc:20120120"},
        {u"Der Vergleich", u"GC:iv1==v1-iv2==v2-iv3==v3-iv4<=v4|"},
        {u"Die Version",
         u"300-1-0-0 295-73-0-0\nOk-Version:0 Dp:GC:\nOk-Date:0 Adapder:20120120 Gc:20120301"},
        {u"Der Vergleich", u"GC:"},
        {u"Eintrag in Liste", u"pci\\ven_10de&dev_0659,300.1,20120301,CD"},
    };
    EXPECT_EQ(boxes.boxes, expected);
}

}  // namespace
