// Files written whole or not at all, on real files: the targets get the new
// content, each in one rename, or keep what they had, and no temporary file
// stays.
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

UniqueFileHandle HeldWithoutSharing(const std::u16string& path) {
    return UniqueFileHandle(CreateFileW(WideCStr(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
}

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
            holder = HeldWithoutSharing(path);
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

// A report and its results go in together: when the second cannot take its
// place, the first gets its earlier version back, or goes where it had none.
TEST(CommitTogether, ReplacesEveryTargetOrNone) {
    const struct {
        const char* name;
        bool firstEarlier;
        int held;  // the target another program holds all along: 0 none, 1 or 2
    } cases[] = {
        {"both replaced", true, 0},
        {"first held", true, 1},
        {"second held", true, 2},
        {"second held, first new", false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder(u"qst_pair");
        const std::u16string paths[] = {folder.File(u"r.txt"), folder.File(u"r.json")};
        if (c.firstEarlier) {
            ASSERT_TRUE(WriteBytes(paths[0], kEarlier));
        }
        ASSERT_TRUE(WriteBytes(paths[1], kEarlier));
        const bool committed = c.held == 0;
        {
            FileReplacement first;
            FileReplacement second;
            FileReplacement* const files[] = {&first, &second};
            for (size_t i = 0; i < 2; ++i) {
                ASSERT_EQ(files[i]->Prepare(paths[i]), static_cast<DWORD>(ERROR_SUCCESS));
                ASSERT_EQ(files[i]->Write(kNew), static_cast<DWORD>(ERROR_SUCCESS));
            }
            const UniqueFileHandle holder =
                committed ? UniqueFileHandle() : HeldWithoutSharing(paths[c.held - 1]);
            ASSERT_TRUE(committed || holder.valid());
            const CommitResult result = CommitTogether(files);
            EXPECT_EQ(result.error == ERROR_SUCCESS, committed);
            EXPECT_EQ(result.failed, committed ? nullptr : files[c.held - 1]);
        }
        EXPECT_EQ(ReadBytes(paths[0]), committed ? kNew : c.firstEarlier ? kEarlier : "");
        EXPECT_EQ(ReadBytes(paths[1]), committed ? kNew : kEarlier);
        EXPECT_EQ(FilesIn(folder.Path(), u"*").size(), committed || c.firstEarlier ? 2u : 1u)
            << "a temporary file or a kept copy stayed";
    }
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
