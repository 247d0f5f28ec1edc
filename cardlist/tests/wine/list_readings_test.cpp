// The tool's readings of a list against the programs' own readers on the
// Windows API: Vexmira's text-mode C stream and QuarvelSysTest's text file
// reader in the system's ANSI code page (Windows-1252 in the test session).
#include "adapters/win/card_list_stream.h"
#include "cardlist/list_readings.h"
#include "cardlist/tests/reading_cases.h"
#include "common/tests/wine/temp_folder.h"
#include "systest/engine/card_list_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> AllLines(std::unique_ptr<CardListLines> lines) {
    std::vector<std::u16string> texts;
    std::u16string text;
    while (lines && lines->ReadLine(text)) {
        texts.push_back(text);
    }
    return texts;
}

std::vector<std::u16string> Texts(const std::vector<ListLine>& lines) {
    std::vector<std::u16string> texts;
    for (const ListLine& line : lines) {
        texts.push_back(line.text);
    }
    return texts;
}

TEST(ListReadings, AreThoseOfTheProgramsReaders) {
    const TempFolder folder(u"cardlist_readings");
    const std::u16string path = folder.File(u"GraphicsCardGBList.txt");
    for (const ReadingCase& c : kReadingCases) {
        SCOPED_TRACE(c.description);
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        const ListReadings readings = ReadAsBothPrograms(c.bytes);
        CStreamCardListFiles stream;
        EXPECT_EQ(Texts(readings.vexmira), AllLines(stream.Open(path)));
        EXPECT_EQ(Texts(readings.quarvelSysTest), AllLines(OpenCardListFile(path)));
    }
}

}  // namespace
