// Files written whole or not at all, on real files: the target gets the new
// content in one rename, or keeps what it had, and no temporary file stays.
#include "systest/engine/file_replacement.h"

#include "common/tests/wine/temp_folder.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char kEarlier[] = "earlier";
constexpr char kNew[] = "new content";

enum class Target { Missing, Existing, ReadOnly, HeldOpen };

TEST(FileReplacement, ReplacesTheTargetWholeOrLeavesItAsItWas) {
    const struct {
        const char* name;
        Target target;
        bool prepared;
        bool committed;
    } cases[] = {
        {"new file", Target::Missing, true, true},
        {"earlier file", Target::Existing, true, true},
        {"read-only file", Target::ReadOnly, false, false},
        // Found only by the rename: another program holds it without sharing.
        {"file held open", Target::HeldOpen, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder(u"qst_replace");
        const std::u16string path = folder.File(u"r.json");
        if (c.target != Target::Missing) {
            ASSERT_TRUE(WriteBytes(path, kEarlier));
        }
        if (c.target == Target::ReadOnly) {
            SetFileAttributesW(WideCStr(path), FILE_ATTRIBUTE_READONLY);
        }
        UniqueFileHandle holder;
        if (c.target == Target::HeldOpen) {
            holder.reset(CreateFileW(WideCStr(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(holder.valid());
        }
        {
            FileReplacement file;
            ASSERT_EQ(file.Prepare(path) == ERROR_SUCCESS, c.prepared);
            if (c.prepared) {
                EXPECT_EQ(file.Target(), path);
                EXPECT_EQ(file.Write(kNew), static_cast<DWORD>(ERROR_SUCCESS));
                FileReplacement* const files[] = {&file};
                EXPECT_EQ(CommitTogether(files).error == ERROR_SUCCESS, c.committed);
            }
        }
        holder.reset();
        SetFileAttributesW(WideCStr(path), FILE_ATTRIBUTE_NORMAL);
        const std::string expected = c.committed                   ? kNew
                                     : c.target == Target::Missing ? ""
                                                                   : kEarlier;
        EXPECT_EQ(ReadBytes(path), expected);
        EXPECT_TRUE(FilesIn(folder.Path(), u"*.tmp").empty()) << "a temporary file stayed";
    }
}

TEST(FileReplacement, APathThatNamesNoFileInAFolderIsRefusedAtOnce) {
    const TempFolder folder(u"qst_replace");
    for (const std::u16string& path : {folder.File(u"missing\\r.txt"), folder.Path(),
                                       std::u16string(u""), std::u16string(u"NUL")}) {
        FileReplacement file;
        EXPECT_NE(file.Prepare(path), static_cast<DWORD>(ERROR_SUCCESS))
            << testing::PrintToString(ToWide(path));
    }
    EXPECT_TRUE(FilesIn(folder.Path(), u"*").empty());
}

TEST(NameTheSameFile, ComparesAsWindowsComparesNames) {
    const struct {
        std::u16string a;
        std::u16string b;
        bool same;
    } cases[] = {
        {u"\\\\?\\Z:\\qst\\r.txt", u"z:\\QST\\R.TXT", true},
        {u"\\\\?\\UNC\\server\\qst\\r.txt", u"\\\\SERVER\\qst\\r.txt", true},
        {u"Z:\\\u00C4rger.txt", u"Z:\\\u00E4rger.txt", true},
        {u"Z:\\\u0418.txt", u"Z:\\\u0438.txt", true},
        {u"Z:\\r.txt", u"Z:\\r.json", false},
        // The file system folds no letter into two.
        {u"Z:\\Ma\u00DFe.txt", u"Z:\\MASSE.txt", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameTheSameFile(c.a, c.b), c.same) << testing::PrintToString(ToWide(c.a));
    }
}

}  // namespace
