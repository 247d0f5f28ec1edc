// The graphics card list that ships beside the programs.
#include "adapters/card_list.h"

#include "adapters/tests/test_printers.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Both programs read the list as 8-bit text; ASCII reads the same in both.
std::string ReadList() {
    std::ifstream file(QST_CARD_LIST_PATH, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::u16string> EntryLines(const std::string& bytes) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] != '#') {
            lines.push_back(Utf16FromAscii(line));
        }
        start = end + 1;
    }
    return lines;
}

TEST(CardListData, IsPlainAsciiInShortLines) {
    const std::string bytes = ReadList();
    ASSERT_FALSE(bytes.empty());
    for (unsigned char c : bytes) {
        EXPECT_TRUE(c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F)) << int{c};
    }
    for (const std::u16string& line : EntryLines(bytes)) {
        // The diagnostic reads 255 characters at a time.
        EXPECT_LE(line.size(), 255u);
    }
}

TEST(CardListData, EveryEntryLineReadsTheSameInBothPrograms) {
    const std::vector<std::u16string> lines = EntryLines(ReadList());
    EXPECT_GT(lines.size(), 50u);
    for (const std::u16string& line : lines) {
        SCOPED_TRACE(testing::PrintToString(line));
        const auto sysTest = ParseCardListLine(line, Dialect::QuarvelSysTest);
        const auto vexmira = ParseCardListLine(line, Dialect::Vexmira);
        ASSERT_TRUE(sysTest);
        ASSERT_TRUE(vexmira);
        EXPECT_EQ(sysTest->name, vexmira->name);
        EXPECT_EQ(sysTest->listVersion, vexmira->listVersion);
        EXPECT_EQ(sysTest->listDate, vexmira->listDate);
        EXPECT_EQ(sysTest->entryCode, vexmira->entryCode);
        const std::u16string& code = sysTest->entryCode;
        EXPECT_TRUE(code == kEntryNotSupported || code == kEntryDriverDate ||
                    code == kEntryDriverVersion || code == kEntryCurrentDriver);
        EXPECT_NE(sysTest->listVersion, DriverVersionNumber{});
        // NVIDIA versions are compared in their short form, such as 295.73.
        const std::u16string& name = sysTest->name;
        if (name.starts_with(u"Quadro") || name.starts_with(u"GeForce") ||
            name.starts_with(u"NVS") || name.starts_with(u"pci\\ven_10de")) {
            EXPECT_GE(sysTest->listVersion.part1, 100);
        }
    }
}

TEST(CardListData, TheReducedCheckFindsAPciEntryFirst) {
    const std::vector<std::u16string> lines = EntryLines(ReadList());
    ASSERT_FALSE(lines.empty());
    const auto first = ParseCardListLine(lines.front(), Dialect::Vexmira);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->entryCode, kEntryCurrentDriver);
    EXPECT_TRUE(IsPnpFragment(first->name));
}

// The diagnostic stops at the first matching line, the system test takes the
// last: entries that match one another's adapters must agree on their code.
TEST(CardListData, OverlappingEntriesAgree) {
    std::vector<CardListEntry> entries;
    for (const std::u16string& line : EntryLines(ReadList())) {
        if (auto entry = ParseCardListLine(line, Dialect::QuarvelSysTest)) {
            if (!IsPnpFragment(entry->name)) {
                entries.push_back(*entry);
            }
        }
    }
    for (const CardListEntry& a : entries) {
        for (const CardListEntry& b : entries) {
            if (&a == &b || a.entryCode == b.entryCode) {
                continue;
            }
            for (Dialect dialect : {Dialect::QuarvelSysTest, Dialect::Vexmira}) {
                EXPECT_FALSE(MatchCardListEntry(a.name, b.name, u"", dialect))
                    << testing::PrintToString(a.name) << " matches "
                    << testing::PrintToString(b.name);
            }
        }
    }
}

}  // namespace
