// The text files on real files, through the Win32 file functions.
#include "systest/engine/text_file.h"

#include "common/tests/wine/temp_folder.h"
#include "common/win/handles.h"
#include "common/win/wide.h"
#include "systest/engine/tests/wine/text_file_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void WriteFileText(const std::u16string& path, const std::u16string& text, TextEncoding encoding) {
    TextFileWriter writer(path, encoding);
    ASSERT_TRUE(writer.IsOpen());
    writer.Write(text);
    writer.Close();
}

std::vector<std::u16string> ReadAllLines(const std::u16string& path) {
    TextFileReader reader(path);
    return ReadAllLines(reader);
}

TEST(TextFile, WritesByteExactUtf8WithMark) {
    TempFolder folder(u"qst_text_file");
    const std::u16string path = folder.File(u"report.txt");
    WriteFileText(path, u"Gr\u00f6\u00dfe\r\n", TextEncoding::Utf8);
    EXPECT_EQ(ReadBytes(path),
              "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F"
              "e\r\n");
}

TEST(TextFile, ReplacesAnExistingFile) {
    TempFolder folder(u"qst_text_file");
    const std::u16string path = folder.File(u"replaced.txt");
    WriteFileText(path, u"a much longer first text", TextEncoding::Utf8);
    WriteFileText(path, u"short", TextEncoding::Utf8);
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFshort");
}

TEST(TextFile, EveryEncodingReadsBack) {
    TempFolder folder(u"qst_text_file");
    const std::u16string text = u"Quarvel 2012\r\nGr\u00f6\u00dfe\r\n";
    for (const TextEncoding encoding :
         {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf16LittleEndian,
          TextEncoding::Utf16BigEndian}) {
        SCOPED_TRACE(static_cast<int>(encoding));
        const std::u16string path = folder.File(u"roundtrip.txt");
        WriteFileText(path, text, encoding);
        TextFileReader reader(path);
        EXPECT_EQ(reader.Encoding(), encoding);
        reader.Close();
        EXPECT_EQ(ReadAllLines(path),
                  (std::vector<std::u16string>{u"Quarvel 2012", u"Gr\u00f6\u00dfe", u""}));
    }
}

TEST(TextFile, SeveralMegabytesReadWhole) {
    TempFolder folder(u"qst_text_file");
    const std::u16string path = folder.File(u"large.txt");
    std::u16string line(999, u'\u00e4');
    {
        TextFileWriter writer(path, TextEncoding::Utf8);
        for (int i = 0; i < 3000; ++i) {
            writer.Write(line + u"\r\n");
        }
        writer.Close();
    }
    const std::vector<std::u16string> lines = ReadAllLines(path);
    ASSERT_EQ(lines.size(), 3001u);  // the final line break gives an empty last line
    EXPECT_EQ(lines.front(), line);
    EXPECT_EQ(lines[2999], line);
    EXPECT_EQ(lines.back(), u"");
}

TEST(TextFile, MissingFileIsNotOpenAndAtItsEnd) {
    TempFolder folder(u"qst_text_file");
    TextFileReader reader(folder.File(u"missing.txt"));
    std::u16string line = u"unchanged";
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(line, u"unchanged");
}

TEST(TextFile, FileHeldWithoutSharingCanBeNeitherReadNorReplaced) {
    TempFolder folder(u"qst_text_file");
    const std::u16string path = folder.File(u"locked.txt");
    WriteFileText(path, u"earlier report", TextEncoding::Utf8);
    {
        UniqueFileHandle holder(
            CreateFileW(WideCStr(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder.valid());

        TextFileReader reader(path);
        EXPECT_FALSE(reader.IsOpen());
        EXPECT_TRUE(reader.AtEnd());

        TextFileWriter writer(path, TextEncoding::Utf8);
        EXPECT_FALSE(writer.IsOpen());
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        writer.Write(u"new report");
        writer.Close();
    }
    EXPECT_EQ(ReadBytes(path),
              "\xEF\xBB\xBF"
              "earlier report");
}

// Whether another program that shares everything may open the file.
bool OthersMayOpen(const std::u16string& path, DWORD access) {
    const UniqueFileHandle other(CreateFileW(WideCStr(path), access,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
    return other.valid();
}

// A report being written is no one else's, not even to read a half-written
// one; a text being read may be read by others but not changed.
TEST(TextFile, OpenFilesShareReadingOnlyWhileTheyAreRead) {
    TempFolder folder(u"qst_text_file");
    const std::u16string path = folder.File(u"shared.txt");
    WriteFileText(path, u"text", TextEncoding::Utf8);
    {
        TextFileWriter writer(path, TextEncoding::Utf8);
        ASSERT_TRUE(writer.IsOpen());
        EXPECT_FALSE(OthersMayOpen(path, GENERIC_READ));
        EXPECT_FALSE(OthersMayOpen(path, GENERIC_WRITE));
    }
    {
        TextFileReader reader(path);
        ASSERT_TRUE(reader.IsOpen());
        EXPECT_TRUE(OthersMayOpen(path, GENERIC_READ));
        EXPECT_FALSE(OthersMayOpen(path, GENERIC_WRITE));
    }
}

TEST(TextFile, FailedWriteRaisesTheSystemError) {
    // On Windows a write fails on a full disk. Wine maps drive Z: to the Unix
    // root, and /dev/full fails every write the way a full disk does.
    TextFileWriter writer(u"Z:\\dev\\full", TextEncoding::Utf8);
    ASSERT_TRUE(writer.IsOpen());
    writer.Write(u"report");
    try {
        writer.Close();
        FAIL() << "no exception";
    } catch (const CTextFileException& e) {
        EXPECT_EQ(e.error, static_cast<uint32_t>(ERROR_DISK_FULL));
    }
    EXPECT_FALSE(writer.IsOpen());
}

}  // namespace
