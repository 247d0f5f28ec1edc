// Both programs reading the same list file: the diagnostic through its C
// stream, QuarvelSysTest through TextFileReader. Files in UTF-16 or with a
// UTF-8 byte order mark, and lines longer than 255 characters, read only in
// QuarvelSysTest as written.
#include "adapters/card_list_search.h"
#include "adapters/tests/recorded_output.h"
#include "adapters/win/card_list_stream.h"
#include "common/tests/wine/bad_files.h"
#include "common/tests/wine/temp_folder.h"
#include "common/text.h"
#include "systest/engine/card_list_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char16_t kPnp[] = u"PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1\\4&2B5A3A7C&0&0010";

struct Outcome {
    int search = 0;                   // the diagnostic's result
    std::vector<std::u16string> log;  // its lines after the two head lines
    bool opened = false;              // QuarvelSysTest could open the list
    CardListMatch scan;               // what QuarvelSysTest remembered
};

Outcome ReadBothAt(const std::u16string& path) {
    Outcome outcome;
    VideoAdapterTable table;
    table[0] = {true, u"NVIDIA QUADRO FX 580", 512, {295, 73, 0, 0}, 20120120, ToUpperAscii(kPnp)};
    CStreamCardListFiles files;
    MemoryLog log;
    outcome.search = SearchCardList(table, path, CardListMode::Full, files, log);
    outcome.log.assign(log.lines.begin() + std::min<size_t>(2, log.lines.size()), log.lines.end());

    const PrimaryVideoAdapter adapter{
        u"NVIDIA Quadro FX 580", {295, 73, 0, 0}, 512u << 20, 20120120, kPnp, false, {}, {}};
    SilentVideo silent;
    const std::unique_ptr<CardListLines> lines = OpenCardListFile(path);
    outcome.opened = lines != nullptr;
    outcome.scan = ScanCardList(lines.get(), adapter, silent);
    return outcome;
}

Outcome ReadBoth(const std::string& bytes) {
    const TempFolder folder(u"qst_list");
    const std::u16string path = folder.File(u"GraphicsCardGBList.txt");
    EXPECT_TRUE(WriteBytes(path, bytes));
    const Outcome outcome = ReadBothAt(path);
    EXPECT_TRUE(outcome.opened);
    return outcome;
}

const std::string kEntry = "Quadro FX 580,285.62,20111205,GD";
const std::u16string kMatch = u"Match found: NVIDIA QUADRO FX 580 285.62.0.0\n";

std::string Utf16Le(const std::string& ascii) {
    std::string bytes("\xFF\xFE");
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

TEST(CardListFiles, AnsiReadsTheSameInBoth) {
    const Outcome both = ReadBoth("# list\r\n" + kEntry + "\r\n");
    EXPECT_EQ(both.search, 1);
    EXPECT_EQ(both.log, std::vector<std::u16string>{kMatch});
    EXPECT_EQ(both.scan.entryCode, u"GD");
}

TEST(CardListFiles, Utf8ByteOrderMark) {
    // The mark joins the diagnostic's first line: the comment becomes an entry
    // line, and an entry line there loses its first word.
    const Outcome comment = ReadBoth("\xEF\xBB\xBF# list\r\n" + kEntry + "\r\n");
    EXPECT_EQ(comment.search, 1);
    EXPECT_EQ(comment.log,
              (std::vector<std::u16string>{u"Invalid line ! \u00EF\u00BB\u00BF# list\n", kMatch}));
    EXPECT_EQ(comment.scan.entryCode, u"GD");

    const Outcome entry = ReadBoth("\xEF\xBB\xBF" + kEntry + "\r\n");
    EXPECT_EQ(entry.search, -2);
    EXPECT_TRUE(entry.log.empty());
    EXPECT_EQ(entry.scan.entryCode, u"GD");
}

TEST(CardListFiles, Utf16) {
    // The diagnostic sees the mark and the first character, then each line
    // ends at the zero byte that follows its first character.
    const Outcome both = ReadBoth(Utf16Le("# list\r\n" + kEntry + "\r\n"));
    EXPECT_EQ(both.search, -1);
    EXPECT_EQ(both.log, std::vector<std::u16string>{u"Invalid line ! \u00FF\u00FE#\n"});
    EXPECT_EQ(both.scan.entryCode, u"GD");
    EXPECT_EQ(both.scan.listVersion.part1, 285);
}

TEST(CardListFiles, LinesLongerThan255Characters) {
    // Blanks before the name: QuarvelSysTest trims them, the diagnostic reads
    // the line in two pieces that are lines of their own.
    const std::string line = std::string(250, ' ') + kEntry;
    const Outcome both = ReadBoth(line + "\r\n");
    EXPECT_EQ(both.search, -2);
    EXPECT_EQ(both.log, std::vector<std::u16string>{u"Invalid line ! " + std::u16string(250, u' ') +
                                                    u"Quadr\n"});
    EXPECT_EQ(both.scan.entryCode, u"GD");
}

// Whatever the list file is, both programs end their reading with a defined
// result: the diagnostic with its search result and log lines, QuarvelSysTest
// with nothing or the entry it matched.
TEST(CardListFiles, BadListFiles) {
    const std::vector<std::u16string> notFound = {u"GB-list file not found !\n"};
    const std::vector<std::u16string> noEntry = {
        u"Error! The video adapters were not found in the list.\n"};
    const struct {
        BadFile kind;
        int search;
        std::vector<std::u16string> log;  // empty: not compared
        bool opened;
        bool matched;
    } outcomes[] = {
        {BadFile::Missing, 0, notFound, false, false},
        {BadFile::Empty, -5, noEntry, true, false},
        {BadFile::Folder, 0, notFound, false, false},
        {BadFile::Locked, 0, notFound, false, false},
        {BadFile::Huge, -5, noEntry, true, false},  // NUL bytes: blank lines, one invalid line
        {BadFile::Binary, -1, {}, true, false},
        {BadFile::Utf16, -1, {}, true, true},  // QuarvelSysTest alone reads UTF-16
        // The diagnostic's stream meets its end at the failed read.
        {BadFile::Unreadable, -5, noEntry, false, false},
    };
    const TempFolder folder(u"qst_list");
    for (const auto& outcome : outcomes) {
        SCOPED_TRACE(BadFileName(outcome.kind));
        const PlacedBadFile list(folder.File(u"GraphicsCardGBList.txt"), outcome.kind,
                                 Utf16FromAscii(kEntry + "\r\n"));
        const Outcome both = ReadBothAt(list.Path());
        EXPECT_EQ(both.search, outcome.search);
        if (!outcome.log.empty()) {
            EXPECT_EQ(both.log, outcome.log);
        }
        EXPECT_EQ(both.opened, outcome.opened);
        EXPECT_EQ(both.scan.matched, outcome.matched);
    }
}

}  // namespace
