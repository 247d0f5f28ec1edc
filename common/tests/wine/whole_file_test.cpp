// Whole files through the Win32 file functions.
#include "vexmira/win32_file_reader.h"

#include "common/tests/wine/bad_files.h"
#include "common/tests/wine/temp_folder.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

namespace {

TEST(Win32FileReader, ReadsWholeFilesAndTellsMissingFromEmpty) {
    TempFolder folder(u"vexmira_files");
    std::string large(3 * 1024 * 1024 + 17, '\0');
    for (size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>(i * 7);
    }
    ASSERT_TRUE(WriteBytes(folder.File(u"large.vert"), large));
    ASSERT_TRUE(WriteBytes(folder.File(u"empty.vert"), ""));
    ASSERT_TRUE(WriteBytes(folder.File(u"\u5f62\u72b6.frag"), "void main() {}\r\n"));

    const struct {
        std::u16string name;
        bool opened;
        std::string bytes;
    } cases[] = {
        {u"large.vert", true, large},
        {u"empty.vert", true, ""},
        {u"\u5f62\u72b6.frag", true, "void main() {}\r\n"},
        {u"missing.vert", false, ""},
    };
    Win32FileReader reader;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name));
        const FileContents contents = reader.ReadWholeFile(folder.File(c.name));
        EXPECT_EQ(contents.opened, c.opened);
        EXPECT_TRUE(contents.bytes == c.bytes);  // no 3 MB dump on failure
    }
}

// A shader file of any kind is read as far as it can be: a file that cannot
// be opened is told apart from one that opened and gave nothing.
TEST(Win32FileReader, BadShaderFiles) {
    const struct {
        BadFile kind;
        bool opened;
        long long size;
    } outcomes[] = {
        {BadFile::Missing, false, 0},          {BadFile::Empty, true, 0},
        {BadFile::Folder, false, 0},           {BadFile::Locked, false, 0},
        {BadFile::Huge, true, kHugeFileBytes}, {BadFile::Binary, true, 4096},
        {BadFile::Utf16, true, 2 + 2 * 12},    {BadFile::Unreadable, true, 0},
    };
    const TempFolder folder(u"vexmira_files");
    Win32FileReader reader;
    for (const auto& outcome : outcomes) {
        SCOPED_TRACE(BadFileName(outcome.kind));
        const PlacedBadFile shader(folder.File(u"Lines.vert"), outcome.kind, u"#version 110");
        const FileContents contents = reader.ReadWholeFile(shader.Path());
        EXPECT_EQ(contents.opened, outcome.opened);
        EXPECT_EQ(static_cast<long long>(contents.bytes.size()), outcome.size);
    }
}

TEST(Win32FileReader, SharesWithReadersOnly) {
    TempFolder folder(u"vexmira_files");
    const std::u16string path = folder.File(u"Lines.vert");
    ASSERT_TRUE(WriteBytes(path, "#version 110\n"));
    Win32FileReader reader;
    {
        UniqueFileHandle otherReader(CreateFileW(WideCStr(path), GENERIC_READ, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(otherReader.valid());
        EXPECT_TRUE(reader.ReadWholeFile(path).opened);
    }
    {
        // An editor that holds the file open for writing.
        UniqueFileHandle writer(CreateFileW(WideCStr(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(writer.valid());
        EXPECT_FALSE(reader.ReadWholeFile(path).opened);
    }
}

}  // namespace
