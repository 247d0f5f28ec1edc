// Whole files through the Win32 file functions.
#include "common/win/whole_file.h"

#include "common/tests/wine/bad_files.h"
#include "common/tests/wine/temp_folder.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadWholeFile, ReadsWholeFilesAndTellsMissingFromEmpty) {
    TempFolder folder(u"whole_files");
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
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name));
        const std::optional<WholeFile> file = ReadWholeFile(folder.File(c.name));
        ASSERT_EQ(file.has_value(), c.opened);
        EXPECT_TRUE(!file || (file->complete && file->bytes == c.bytes));  // no 3 MB dump
    }
}

// A file of any kind is read as far as it can be: a file that cannot be opened
// is told apart from one that opened and gave nothing, and one whose read
// failed from one read to its end.
TEST(ReadWholeFile, BadFiles) {
    const struct {
        BadFile kind;
        bool opened;
        long long size;
        bool complete;
    } outcomes[] = {
        {BadFile::Missing, false, 0, false},         {BadFile::Empty, true, 0, true},
        {BadFile::Folder, false, 0, false},          {BadFile::Locked, false, 0, false},
        {BadFile::Huge, true, kHugeFileBytes, true}, {BadFile::Binary, true, 4096, true},
        {BadFile::Utf16, true, 2 + 2 * 12, true},    {BadFile::Unreadable, true, 0, false},
    };
    const TempFolder folder(u"whole_files");
    for (const auto& outcome : outcomes) {
        SCOPED_TRACE(BadFileName(outcome.kind));
        const PlacedBadFile placed(folder.File(u"Lines.vert"), outcome.kind, u"#version 110");
        const std::optional<WholeFile> file = ReadWholeFile(placed.Path());
        ASSERT_EQ(file.has_value(), outcome.opened);
        if (file) {
            EXPECT_EQ(static_cast<long long>(file->bytes.size()), outcome.size);
            EXPECT_EQ(file->complete, outcome.complete);
        }
    }
}

TEST(ReadWholeFile, SharesWithReadersOnly) {
    TempFolder folder(u"whole_files");
    const std::u16string path = folder.File(u"Lines.vert");
    ASSERT_TRUE(WriteBytes(path, "#version 110\n"));
    {
        UniqueFileHandle otherReader(CreateFileW(WideCStr(path), GENERIC_READ, FILE_SHARE_READ,
                                                 nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(otherReader.valid());
        EXPECT_TRUE(ReadWholeFile(path));
    }
    {
        // An editor that holds the file open for writing.
        UniqueFileHandle writer(CreateFileW(WideCStr(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(writer.valid());
        EXPECT_FALSE(ReadWholeFile(path));
    }
}

}  // namespace
