#include "systest/engine/text_stream.h"

#include "systest/engine/tests/memory_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

std::vector<std::u16string> ReadAllLines(MemoryFile& file, TextEncoding* encoding = nullptr) {
    Latin1CodePage codePage;
    TextReader reader(file, codePage);
    if (encoding != nullptr) {
        *encoding = reader.Encoding();
    }
    std::vector<std::u16string> lines;
    std::u16string line;
    while (!reader.AtEnd()) {
        EXPECT_TRUE(reader.ReadLine(line));
        lines.push_back(line);
    }
    EXPECT_FALSE(reader.ReadLine(line)) << "a reader at its end reads nothing more";
    return lines;
}

std::string Utf16Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string Utf16Be(std::u16string_view text) {
    std::string bytes = "\xFE\xFF";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit >> 8);
        bytes += static_cast<char>(unit & 0xFF);
    }
    return bytes;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    TextEncoding encoding;
    std::vector<std::u16string> lines;
};

TEST(TextReader, EncodingsAndLineBreaks) {
    const ReadCase cases[] = {
        {"empty file", "", TextEncoding::Ansi, {u""}},
        {"one byte", "x", TextEncoding::Ansi, {u"x"}},
        {"no final break", "abc\r\ndef", TextEncoding::Ansi, {u"abc", u"def"}},
        {"final break gives an empty line",
         "abc\r\ndef\r\n",
         TextEncoding::Ansi,
         {u"abc", u"def", u""}},
        {"CR CR LF is one empty line", "a\r\r\nb", TextEncoding::Ansi, {u"a", u"", u"b"}},
        {"LF LF is one empty line", "a\n\nb", TextEncoding::Ansi, {u"a", u"", u"b"}},
        {"lone CR", "a\rb", TextEncoding::Ansi, {u"a", u"b"}},
        {"leading break", "\r\nx", TextEncoding::Ansi, {u"", u"x"}},
        {"ansi through the code page",
         "Gr\xF6\xDF"
         "e",
         TextEncoding::Ansi,
         {u"Gr\u00f6\u00dfe"}},
        {"EF BB without BF is ansi from the first byte",
         "\xEF\xBB"
         "A",
         TextEncoding::Ansi,
         {u"\u00ef\u00bb"
          u"A"}},
        {"UTF-8 with mark",
         "\xEF\xBB\xBF"
         "Gr\xC3\xB6\xC3\x9F"
         "e\r\nx",
         TextEncoding::Utf8,
         {u"Gr\u00f6\u00dfe", u"x"}},
        {"UTF-8 three bytes", "\xEF\xBB\xBF\xE2\x82\xAC", TextEncoding::Utf8, {u"\u20ac"}},
        {"UTF-8 four bytes give four replacements",
         "\xEF\xBB\xBF\xF0\x9F\x98\x80!",
         TextEncoding::Utf8,
         {u"\ufffd\ufffd\ufffd\ufffd!"}},
        {"UTF-8 stray continuation",
         "\xEF\xBB\xBF"
         "a\x80"
         "b",
         TextEncoding::Utf8,
         {u"a\ufffdb"}},
        {"UTF-8 mark only", "\xEF\xBB\xBF", TextEncoding::Utf8, {u""}},
        {"UTF-16 LE",
         Utf16Le(u"a\u00e4\r\n\u20acb\r\n"),
         TextEncoding::Utf16LittleEndian,
         {u"a\u00e4", u"\u20acb", u""}},
        {"UTF-16 BE",
         Utf16Be(u"a\u00e4\n\u20acb"),
         TextEncoding::Utf16BigEndian,
         {u"a\u00e4", u"\u20acb"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryFile file(c.bytes);
        TextEncoding encoding{};
        EXPECT_EQ(ReadAllLines(file, &encoding), c.lines);
        EXPECT_EQ(encoding, c.encoding);
    }
}

TEST(TextReader, LinesLongerThanTheBufferAreReadWholeInBufferSizedCalls) {
    std::string longAnsi(3000, 'a');
    std::u16string longUtf16(2500, u'\u00e4');
    std::string utf8Bytes = "\xEF\xBB\xBF";
    for (int i = 0; i < 1500; ++i) {
        utf8Bytes += "\xC3\xA4";
    }

    MemoryFile ansi(longAnsi + "\r\nend");
    EXPECT_EQ(ReadAllLines(ansi),
              (std::vector<std::u16string>{std::u16string(3000, u'a'), u"end"}));
    for (const size_t size : ansi.readSizes) {
        EXPECT_EQ(size, kTextFileBufferSize);
    }

    MemoryFile utf16(Utf16Le(longUtf16));
    EXPECT_EQ(ReadAllLines(utf16), (std::vector<std::u16string>{longUtf16}));

    MemoryFile utf8(utf8Bytes);
    EXPECT_EQ(ReadAllLines(utf8), (std::vector<std::u16string>{std::u16string(1500, u'\u00e4')}));
}

TEST(TextReader, FileThatIsNotOpenIsAtItsEnd) {
    MemoryFile file("abc");
    file.open_ = false;
    Latin1CodePage codePage;
    TextReader reader(file, codePage);
    std::u16string line = u"unchanged";
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(line, u"unchanged");
    EXPECT_TRUE(file.readSizes.empty());
}

TEST(TextReader, FailedReadClosesTheFileAndRaisesTheErrorCode) {
    MemoryFile file(std::string(1500, 'x'));
    file.failReadAt = 3;  // detection, rereading as ansi, then the second block
    Latin1CodePage codePage;
    TextReader reader(file, codePage);
    std::u16string line;
    try {
        reader.ReadLine(line);
        FAIL() << "no exception";
    } catch (const CTextFileException& e) {
        EXPECT_EQ(e.error, MemoryFile::kError);
    }
    EXPECT_FALSE(file.IsOpen());
}

TEST(TextWriter, BytesOfEachEncoding) {
    const struct {
        TextEncoding encoding;
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {TextEncoding::Utf8, u"Gr\u00f6\u00dfe",
         "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F"
         "e"},
        {TextEncoding::Utf8, u"\u20ac\r\n", "\xEF\xBB\xBF\xE2\x82\xAC\r\n"},
        // Each unit of a surrogate pair becomes a three-byte sequence of its own.
        {TextEncoding::Utf8, u"\U0001F600", "\xEF\xBB\xBF\xED\xA0\xBD\xED\xB8\x80"},
        {TextEncoding::Utf16LittleEndian, u"a\u20ac",
         "\xFF\xFE"
         "a\x00\xAC\x20"s},
        {TextEncoding::Utf16BigEndian, u"a\u20ac",
         "\xFE\xFF\x00"
         "a\x20\xAC"s},
        {TextEncoding::Ansi, u"Gr\u00f6\u00dfe\n",
         "Gr\xF6\xDF"
         "e\n"},
        {TextEncoding::Utf8, u"", "\xEF\xBB\xBF"},
        {TextEncoding::Ansi, u"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.encoding));
        MemoryFile file;
        Latin1CodePage codePage;
        TextWriter writer(file, codePage, c.encoding);
        writer.Write(c.text);
        writer.Close();
        EXPECT_EQ(file.Bytes(), c.bytes);
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST(TextWriter, AnsiReportsTheDefaultCharacter) {
    MemoryFile file;
    Latin1CodePage codePage;
    TextWriter writer(file, codePage, TextEncoding::Ansi);
    writer.Write(u"ok");
    EXPECT_FALSE(writer.DefaultCharacterUsed());
    writer.Write(u"\u20ac");
    writer.Write(u"ok");
    EXPECT_TRUE(writer.DefaultCharacterUsed());
    writer.Close();
    EXPECT_EQ(file.Bytes(), "ok?ok");
}

TEST(TextWriter, WritesInBufferSizedCalls) {
    MemoryFile file;
    Latin1CodePage codePage;
    TextWriter writer(file, codePage, TextEncoding::Utf8);
    writer.Write(std::u16string(2500, u'x'));  // 3 + 2500 bytes
    EXPECT_EQ(file.writeSizes, (std::vector<size_t>{1024, 1024}));
    writer.Close();
    EXPECT_EQ(file.writeSizes, (std::vector<size_t>{1024, 1024, 455}));
    EXPECT_EQ(file.Bytes().size(), 2503u);
}

TEST(TextWriter, FailedWriteClosesTheFileAndRaisesTheErrorCode) {
    MemoryFile file;
    file.failWriteAt = 1;
    Latin1CodePage codePage;
    TextWriter writer(file, codePage, TextEncoding::Utf8);
    writer.Write(u"short");  // still in the buffer
    try {
        writer.Close();
        FAIL() << "no exception";
    } catch (const CTextFileException& e) {
        EXPECT_EQ(e.error, MemoryFile::kError);
    }
    EXPECT_FALSE(file.IsOpen());
    writer.Write(u"more");  // a closed writer writes nothing
    writer.Close();
    EXPECT_EQ(file.writeSizes.size(), 1u);
}

TEST(TextWriter, FileThatIsNotOpenIsNeverWritten) {
    MemoryFile file;
    file.open_ = false;
    Latin1CodePage codePage;
    TextWriter writer(file, codePage, TextEncoding::Utf16LittleEndian);
    writer.Write(u"text");
    writer.Close();
    EXPECT_TRUE(file.writeSizes.empty());
}

TEST(TextStream, WhatIsWrittenReadsBackInEveryEncoding) {
    const std::u16string text = u"Quarvel 2012\r\nGr\u00f6\u00dfe \u20ac\r\n\r\nend";
    const std::vector<std::u16string> lines{u"Quarvel 2012", u"Gr\u00f6\u00dfe \u20ac", u"",
                                            u"end"};
    for (const TextEncoding encoding :
         {TextEncoding::Utf8, TextEncoding::Utf16LittleEndian, TextEncoding::Utf16BigEndian}) {
        SCOPED_TRACE(static_cast<int>(encoding));
        MemoryFile file;
        Latin1CodePage codePage;
        TextWriter writer(file, codePage, encoding);
        writer.Write(text);
        writer.Close();
        MemoryFile readBack(file.Bytes());
        TextEncoding detected{};
        EXPECT_EQ(ReadAllLines(readBack, &detected), lines);
        EXPECT_EQ(detected, encoding);
    }
}

}  // namespace
