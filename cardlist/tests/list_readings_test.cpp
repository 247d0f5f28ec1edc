#include "cardlist/list_readings.h"

#include "cardlist/tests/reading_cases.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Lines = std::vector<std::pair<int, std::u16string>>;

Lines Numbered(const std::vector<ListLine>& lines) {
    Lines numbered;
    for (const ListLine& line : lines) {
        numbered.emplace_back(line.number, line.text);
    }
    return numbered;
}

// Each reading keeps the file's line (lines end at line feeds) of each of
// its lines: a lone carriage return splits one of QuarvelSysTest's, a long
// line comes to Vexmira in pieces.
TEST(ReadAsBothPrograms, EachProgramsLinesWithTheFilesLine) {
    const std::u16string x255(255, u'x');
    const struct {
        TextEncoding encoding;
        Lines sysTest;
        Lines vexmira;
    } expected[] = {
        {TextEncoding::Ansi,
         {{1, u"a"}, {2, u"b"}, {3, u"c"}, {3, u"d"}, {4, u""}, {5, u"e"}},
         {{1, u"a\n"}, {2, u"b\n"}, {3, u"c\rd\n"}, {4, u"\n"}, {5, u"e"}}},
        {TextEncoding::Ansi,
         {{1, u"a"},
          {2,
           u"\x1A"
           u"b"},
          {3, u"c"},
          {4, u""}},
         {{1, u"a\n"}}},
        {TextEncoding::Ansi, {{1, std::u16string(u"ab\0cd", 5)}, {2, u""}}, {{1, u"ab"}}},
        {TextEncoding::Ansi,
         {{1, std::u16string(600, u'x')}, {2, u"short"}, {3, u""}},
         {{1, x255}, {1, x255}, {1, std::u16string(90, u'x') + u"\n"}, {2, u"short\n"}}},
        {TextEncoding::Ansi,
         {{1, std::u16string(255, u'y')}, {2, u"z"}},
         {{1, std::u16string(255, u'y')}, {1, u"\n"}, {2, u"z"}}},
        {TextEncoding::Utf16LittleEndian,
         {{1, u"Ab"}, {2, u"Cd"}, {3, u""}},
         {{1, u"\u00FF\u00FEA"}, {2, u""}, {3, u""}}},
        {TextEncoding::Utf8,
         {{1, u"# x"}, {2, u"Q,\u00E9"}, {3, u""}},
         {{1, u"\u00EF\u00BB\u00BF# x\n"}, {2, u"Q,\u00C3\u00A9\n"}}},
        {TextEncoding::Ansi,
         {{1, u"\u20AC\u0178\u00E9\u00A0"}, {2, u""}},
         {{1, u"\u0080\u009F\u00E9\u00A0\n"}}},
        {TextEncoding::Ansi, {{1, u""}}, {}},
    };
    static_assert(std::size(expected) == std::size(kReadingCases));
    for (size_t i = 0; i < std::size(kReadingCases); ++i) {
        SCOPED_TRACE(kReadingCases[i].description);
        const ListReadings readings = ReadAsBothPrograms(kReadingCases[i].bytes);
        EXPECT_EQ(readings.encoding, expected[i].encoding);
        EXPECT_EQ(Numbered(readings.quarvelSysTest), expected[i].sysTest);
        EXPECT_EQ(Numbered(readings.vexmira), expected[i].vexmira);
    }
}

}  // namespace
