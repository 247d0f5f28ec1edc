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
class PlayedShare final : public FileCalls {
  public:
    struct Conditions {
        bool deleteRefused = false;   // users may create files there but delete none
        int takenNames = 0;           // temporary names other computers hold
        std::u16string held;          // a target another program holds without sharing,
        int heldFor = 0;              // for this many calls (-1: all along)
        size_t diskBytes = SIZE_MAX;  // that the files may hold together

        Conditions& DeleteRefused() {
            deleteRefused = true;
            return *this;
        }
        Conditions& TakenNames(int count) {
            takenNames = count;
            return *this;
        }
        Conditions& HeldResults(int calls) {
            held = u"r.json";
            heldFor = calls;
            return *this;
        }
        Conditions& DiskBytes(size_t bytes) {
            diskBytes = bytes;
            return *this;
        }
    };
    static constexpr char16_t kFolder[] = u"\\\\?\\UNC\\server\\qst\\";

    explicit PlayedShare(Conditions conditions) : conditions_(std::move(conditions)) {}

    std::map<std::u16string, std::string> files;  // by name
    DWORD pausedMs = 0;

    DWORD CreateNew(const std::u16string& path, Closing closing,
                    std::unique_ptr<File>& file) override {
        const std::u16string name = NameOf(path);
        if (files.contains(name)) {
            return ERROR_FILE_EXISTS;
        }
        if (name.starts_with(u"qst") && conditions_.takenNames > 0) {
            --conditions_.takenNames;
            return ERROR_FILE_EXISTS;
        }
        files[name];
        file = std::make_unique<PlayedFile>(*this, name, closing);
        return ERROR_SUCCESS;
    }
    DWORD Attributes(const std::u16string& path, DWORD& attributes) override {
        attributes = FILE_ATTRIBUTE_NORMAL;
        return files.contains(NameOf(path)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }
    DWORD MayDelete(const std::u16string& path) override {
        return conditions_.deleteRefused ? ERROR_ACCESS_DENIED : Found(path);
    }
    DWORD Move(const std::u16string& from, const std::u16string& to) override {
        if (conditions_.deleteRefused) {
            return ERROR_ACCESS_DENIED;
        }
        if (Held(to)) {
            return ERROR_SHARING_VIOLATION;
        }
        const DWORD error = Found(from);
        if (error == ERROR_SUCCESS) {
            files[NameOf(to)] = files[NameOf(from)];
            files.erase(NameOf(from));
        }
        return error;
    }
    DWORD Copy(const std::u16string& from, const std::u16string& to) override {
        if (Held(from)) {
            return ERROR_SHARING_VIOLATION;
        }
        const DWORD error = Found(from);
        if (error == ERROR_SUCCESS) {
            files[NameOf(to)] = files[NameOf(from)];
        }
        return error;
    }
    DWORD Delete(const std::u16string& path) override {
        if (conditions_.deleteRefused) {
            return ERROR_ACCESS_DENIED;
        }
        if (Held(path)) {
            return ERROR_SHARING_VIOLATION;
        }
        return files.erase(NameOf(path)) != 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
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
    bool Held(const std::u16string& path) {
        if (NameOf(path) != conditions_.held || conditions_.heldFor == 0) {
            return false;
        }
        if (conditions_.heldFor > 0) {
            --conditions_.heldFor;
        }
        return true;
    }

    Conditions conditions_;
};

// The report and the results file of a run committed together to a share, as
// the unattended run does: each is prepared, written and put in place, or the
// run ends with the error and every earlier file as it was; no temporary
// file is left on any path.
TEST(CommitTogether, PutsBothFilesInPlaceOrNeither) {
    using Conditions = PlayedShare::Conditions;
    using Files = std::map<std::u16string, std::string>;
    const Files earlier = {{u"r.txt", "earlier report"}, {u"r.json", "earlier results"}};
    const Files written = {{u"r.txt", "report"}, {u"r.json", "results"}};
    const struct {
        const char* name;
        Files before;
        PlayedShare::Conditions conditions;
        DWORD error;
        Files after;
    } cases[] = {
        {"new files", Files(), Conditions(), ERROR_SUCCESS, written},
        {"earlier files", earlier, Conditions(), ERROR_SUCCESS, written},
        {"temporary names other computers took", Files(), Conditions().TakenNames(5), ERROR_SUCCESS,
         written},
        {"results held for a moment", earlier, Conditions().HeldResults(3), ERROR_SUCCESS, written},
        {"results held all along", earlier, Conditions().HeldResults(-1), ERROR_SHARING_VIOLATION,
         earlier},
        {"results held all along, no earlier report",
         {{u"r.json", "earlier results"}},
         Conditions().HeldResults(-1),
         ERROR_SHARING_VIOLATION,
         {{u"r.json", "earlier results"}}},
        {"disk full writing the temporary results", earlier, Conditions().DiskBytes(29 + 6 + 3),
         ERROR_DISK_FULL, earlier},
        // A share where users create files but may delete none.
        {"drop share, new files", Files(), Conditions().DeleteRefused(), ERROR_SUCCESS, written},
        {"drop share, earlier files", earlier, Conditions().DeleteRefused(), ERROR_ACCESS_DENIED,
         earlier},
        {"drop share, the disk full writing the results",
         Files(),
         Conditions().DeleteRefused().DiskBytes(6 + 3),
         ERROR_DISK_FULL,
         {{u"r.txt", ""}, {u"r.json", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayedShare share(c.conditions);
        share.files = c.before;
        DWORD error = ERROR_SUCCESS;
        {
            FileReplacement report(share);
            FileReplacement results(share);
            const std::u16string folder = u"\\\\server\\qst\\";
            for (const auto& [file, name, content] : {std::tuple(&report, u"r.txt", "report"),
                                                      std::tuple(&results, u"r.json", "results")}) {
                if (error == ERROR_SUCCESS) {
                    error = file->Prepare(folder + name);
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
        EXPECT_EQ(share.pausedMs > 0, c.conditions.heldFor != 0) << "waits only for a holder";
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
