// Whole files through the Win32 file functions.
#include "vexmira/win32_file_reader.h"

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
