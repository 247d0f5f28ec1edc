// The diagnostic's reading of the list file through a text-mode C stream.
#include "adapters/win/card_list_stream.h"

#include "common/tests/wine/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> ReadLines(const std::string& bytes) {
    const TempFolder folder(u"qst_card_list");
    const std::u16string path = folder.File(u"GraphicsCardGBList.txt");
    EXPECT_TRUE(WriteBytes(path, bytes));
    CStreamCardListFiles files;
    std::unique_ptr<CardListLines> lines = files.Open(path);
    std::vector<std::u16string> result;
    if (!lines) {
        ADD_FAILURE() << "not opened";
        return result;
    }
    std::u16string line;
    while (lines->ReadLine(line)) {
        result.push_back(line);
    }
    return result;
}

TEST(CStreamCardList, LineBreaksOfATextModeStream) {
    // CR LF becomes LF; a lone CR stays in the line; the last line may lack a break.
    EXPECT_EQ(ReadLines("a,1.2\r\nb\nc\rd\r\n\r\ne"),
              (std::vector<std::u16string>{u"a,1.2\n", u"b\n", u"c\rd\n", u"\n", u"e"}));
    EXPECT_EQ(ReadLines(""), std::vector<std::u16string>{});
}

TEST(CStreamCardList, EachByteIsTheCharacterOfItsValue) {
    EXPECT_EQ(ReadLines("Gr\xE4"
                        "fik\xFF\n"),
              std::vector<std::u16string>{u"Gr\u00E4fik\u00FF\n"});
    // No byte order mark is known: UTF-8's becomes three characters.
    EXPECT_EQ(ReadLines("\xEF\xBB\xBFQuadro\n"),
              std::vector<std::u16string>{u"\u00EF\u00BB\u00BFQuadro\n"});
}

TEST(CStreamCardList, Utf16EndsEachLineAtItsFirstNul) {
    // FF FE, then "Ab\r\nCd\r\n" in UTF-16 LE.
    const std::string bytes(
        "\xFF\xFE"
        "A\0b\0\r\0\n\0C\0d\0\r\0\n\0",
        18);
    EXPECT_EQ(ReadLines(bytes), (std::vector<std::u16string>{u"\u00FF\u00FEA", u"", u""}));
}

TEST(CStreamCardList, LongLinesComeInPiecesOf255) {
    const std::string line(600, 'x');
    const std::vector<std::u16string> lines = ReadLines(line + "\nshort\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::u16string(255, u'x'));
    EXPECT_EQ(lines[1], std::u16string(255, u'x'));
    EXPECT_EQ(lines[2], std::u16string(90, u'x') + u"\n");
    EXPECT_EQ(lines[3], u"short\n");
}

TEST(CStreamCardList, MissingFileIsNotOpened) {
    CStreamCardListFiles files;
    EXPECT_EQ(files.Open(u"Z:\\no such folder\\GraphicsCardGBList.txt"), nullptr);
}

}  // namespace
