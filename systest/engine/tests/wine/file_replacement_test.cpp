// Files written whole or not at all, on real files: the target gets the new
// content in one rename, or keeps what it had, and no temporary file stays.
#include "systest/engine/file_replacement.h"

#include "common/tests/wine/temp_folder.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>

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

// A folder of a collection share in memory, as the file calls see it: its
// files, the rights the share gives users, and other programs at work on it.
struct ShareConditions {
    bool deleteRefused;  // users may create files there but delete none
    int takenNames;      // temporary names other computers hold
    int resultsHeldFor;  // calls for which another program holds r.json (-1: all along)
    size_t diskBytes;    // that the files may hold together
};
constexpr size_t kRoomy = SIZE_MAX;

class PlayedShare final : public FileCalls {
  public:
    static constexpr char16_t kFolder[] = u"\\\\?\\UNC\\server\\qst\\";

    explicit PlayedShare(ShareConditions conditions) : conditions_(conditions) {}

    std::map<std::u16string, std::string> files;  // by name
    DWORD pausedMs = 0;

    DWORD CreateNew(const std::u16string& path, Closing closing,
                    std::unique_ptr<File>& file) override {
        const std::u16string name = NameOf(path);
        if (files.contains(name) || (name.starts_with(u"qst") && conditions_.takenNames-- > 0)) {
            return ERROR_FILE_EXISTS;
        }
        files[name];
        file = std::make_unique<PlayedFile>(*this, name, closing);
        return ERROR_SUCCESS;
    }
    DWORD Attributes(const std::u16string& path, DWORD& attributes) override {
        attributes = FILE_ATTRIBUTE_NORMAL;
        return Found(path);
    }
    DWORD MayDelete(const std::u16string& path) override {
        return conditions_.deleteRefused ? ERROR_ACCESS_DENIED : Found(path);
    }
    DWORD Move(const std::u16string& from, const std::u16string& to) override {
        const DWORD error = Checked(Refused(to, true), from);
        if (error == ERROR_SUCCESS) {
            files[NameOf(to)] = files[NameOf(from)];
            files.erase(NameOf(from));
        }
        return error;
    }
    DWORD Copy(const std::u16string& from, const std::u16string& to) override {
        const DWORD error = Checked(Refused(from, false), from);
        if (error == ERROR_SUCCESS) {
            files[NameOf(to)] = files[NameOf(from)];
        }
        return error;
    }
    DWORD Delete(const std::u16string& path) override {
        const DWORD error = Checked(Refused(path, true), path);
        if (error == ERROR_SUCCESS) {
            files.erase(NameOf(path));
        }
        return error;
    }
    void Pause(DWORD milliseconds) override { pausedMs += milliseconds; }

  private:
    class PlayedFile final : public File {
      public:
        PlayedFile(PlayedShare& share, std::u16string name, Closing closing)
            : share_(share), name_(std::move(name)), closing_(closing) {}
        ~PlayedFile() override {
            if (closing_ == Closing::DeletesTheFile) {
                share_.files.erase(name_);
            }
        }
        // What fits is written.
        DWORD Write(std::string_view bytes) override {
            size_t used = 0;
            for (const auto& [name, content] : share_.files) {
                used += content.size();
            }
            const size_t room = share_.conditions_.diskBytes - used;
            share_.files[name_] += bytes.substr(0, room);
            return bytes.size() <= room ? ERROR_SUCCESS : ERROR_DISK_FULL;
        }
        DWORD Flush() override { return ERROR_SUCCESS; }
        DWORD Empty() override {
            share_.files[name_].clear();
            return ERROR_SUCCESS;
        }

      private:
        PlayedShare& share_;
        std::u16string name_;
        Closing closing_;
    };

    static std::u16string NameOf(const std::u16string& path) {
        EXPECT_EQ(path.rfind(kFolder, 0), 0u) << "outside the share";
        return path.substr(std::char_traits<char16_t>::length(kFolder));
    }
    DWORD Found(const std::u16string& path) const {
        return files.contains(NameOf(path)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    DWORD Checked(DWORD refusal, const std::u16string& path) const {
        return refusal != ERROR_SUCCESS ? refusal : Found(path);
    }
    // Why a call that deletes (or renames) the file, or reads it, is refused;
    // ERROR_SUCCESS when it is not. Each refusal of the held file is one call.
    DWORD Refused(const std::u16string& path, bool deletes) {
        if (deletes && conditions_.deleteRefused) {
            return ERROR_ACCESS_DENIED;
        }
        if (NameOf(path) == u"r.json" && conditions_.resultsHeldFor != 0) {
            conditions_.resultsHeldFor -= conditions_.resultsHeldFor > 0 ? 1 : 0;
            return ERROR_SHARING_VIOLATION;
        }
        return ERROR_SUCCESS;
    }

    ShareConditions conditions_;
};

// The report and the results file of a run committed together to a share, as
// the unattended run does: each is prepared, written and put in place, or the
// run ends with the error and every earlier file as it was; no temporary
// file is left on any path.
TEST(CommitTogether, PutsBothFilesInPlaceOrNeither) {
    using Files = std::map<std::u16string, std::string>;
    const Files earlier = {{u"r.txt", "earlier report"}, {u"r.json", "earlier results"}};
    const Files written = {{u"r.txt", "report"}, {u"r.json", "results"}};
    const Files onlyResults = {{u"r.json", "earlier results"}};
    const struct {
        const char* name;
        Files before;
        ShareConditions share;
        DWORD error;
        Files after;
    } cases[] = {
        {"new files", Files(), {false, 0, 0, kRoomy}, ERROR_SUCCESS, written},
        {"earlier files", earlier, {false, 0, 0, kRoomy}, ERROR_SUCCESS, written},
        {"names other computers took", Files(), {false, 5, 0, kRoomy}, ERROR_SUCCESS, written},
        {"results held for a moment", earlier, {false, 0, 3, kRoomy}, ERROR_SUCCESS, written},
        {"results held", earlier, {false, 0, -1, kRoomy}, ERROR_SHARING_VIOLATION, earlier},
        {"results held, no earlier report",
         onlyResults,
         {false, 0, -1, kRoomy},
         ERROR_SHARING_VIOLATION,
         onlyResults},
        // The temporary results file finds the disk full.
        {"disk full", earlier, {false, 0, 0, 29 + 6 + 3}, ERROR_DISK_FULL, earlier},
        // Users create files there but may delete none.
        {"drop share, new files", Files(), {true, 0, 0, kRoomy}, ERROR_SUCCESS, written},
        {"drop share, earlier files", earlier, {true, 0, 0, kRoomy}, ERROR_ACCESS_DENIED, earlier},
        {"drop share, disk full",
         Files(),
         {true, 0, 0, 6 + 3},
         ERROR_DISK_FULL,
         {{u"r.txt", ""}, {u"r.json", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayedShare share(c.share);
        share.files = c.before;
        DWORD error = ERROR_SUCCESS;
        {
            FileReplacement report(share);
            FileReplacement results(share);
            for (const auto& [file, name, content] : {std::tuple(&report, u"r.txt", "report"),
                                                      std::tuple(&results, u"r.json", "results")}) {
                if (error == ERROR_SUCCESS) {
                    error = file->Prepare(std::u16string(u"\\\\server\\qst\\") + name);
                }
                if (error == ERROR_SUCCESS) {
                    error = file->Write(content);
                }
            }
            FileReplacement* const files[] = {&report, &results};
            if (error == ERROR_SUCCESS) {
                error = CommitTogether(files).error;
            }
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(share.files, c.after);
        EXPECT_EQ(share.pausedMs > 0, c.share.resultsHeldFor != 0) << "waits only for a holder";
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
