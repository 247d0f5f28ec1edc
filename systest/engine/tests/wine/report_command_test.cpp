// The report command on real files: what it writes, and what it does when the
// file cannot be replaced or written.
#include "systest/engine/report_command.h"

#include "common/tests/wine/message_box_closer.h"
#include "common/tests/wine/temp_folder.h"
#include "common/win/handles.h"
#include "common/win/program_folder.h"
#include "common/win/system_error.h"
#include "common/win/wide.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// The temporary directory of this process, moved through TMP, which
// GetTempPathW reads first: to a folder of its own, removed at the end, or to
// a given path. TMP is restored at the end.
class TempDirectory {
  public:
    TempDirectory() : folder_(std::in_place, u"qst_report") { Redirect(folder_->Path()); }
    explicit TempDirectory(std::u16string path) { Redirect(std::move(path)); }
    ~TempDirectory() { SetEnvironmentVariableW(L"TMP", oldTmp_ ? WideCStr(*oldTmp_) : nullptr); }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    std::u16string ReportPath() const { return path_ + u"QuarvelSysTest.txt"; }

  private:
    void Redirect(std::u16string path) {
        wchar_t old[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(L"TMP", old, MAX_PATH);
        oldTmp_ = length > 0 && length < MAX_PATH ? std::optional(FromWide(old)) : std::nullopt;
        path_ = std::move(path);
        SetEnvironmentVariableW(L"TMP", WideCStr(path_));
    }

    std::optional<TempFolder> folder_;
    std::u16string path_;
    std::optional<std::u16string> oldTmp_;
};

class RecordingPresenter final : public ReportPresenter {
  public:
    std::vector<std::u16string> opened;
    std::vector<std::u16string> failures;

    void OpenReport(HWND, const std::u16string& path) override { opened.push_back(path); }
    void ShowFailure(HWND, const std::u16string& message) override { failures.push_back(message); }
};

const std::u16string kReport =
    u"Meta data: \"PC7\" 06.12.2026 2012 20.02.12\r\n"
    u"Bestanden: Arbeitsspeicher gen\u00fcgend gro\u00df\r\n"
    u"Bestanden: 20 \u20ac\r\n";
const std::string kReportBytes =
    "\xEF\xBB\xBF"
    "Meta data: \"PC7\" 06.12.2026 2012 20.02.12\r\n"
    "Bestanden: Arbeitsspeicher gen\xC3\xBCgend gro\xC3\x9F\r\n"
    "Bestanden: 20 \xE2\x82\xAC\r\n";

TEST(RunReportCommand, WritesByteExactUtf8AndOpensIt) {
    TempDirectory temp;
    RecordingPresenter presenter;
    RunReportCommand(nullptr, kReport, presenter);
    EXPECT_EQ(ReadBytes(temp.ReportPath()), kReportBytes);
    EXPECT_EQ(presenter.opened, std::vector<std::u16string>{temp.ReportPath()});
    EXPECT_TRUE(presenter.failures.empty());
}

TEST(RunReportCommand, EveryClickReplacesTheFile) {
    TempDirectory temp;
    RecordingPresenter presenter;
    RunReportCommand(nullptr, kReport + kReport, presenter);
    RunReportCommand(nullptr, kReport, presenter);
    EXPECT_EQ(ReadBytes(temp.ReportPath()), kReportBytes);
    EXPECT_EQ(presenter.opened.size(), 2u);
}

// The folder beside this test program whose QuarvelSysTest.txt is a link to
// /dev/full (made by the build): every write to it fails as on a full disk.
std::u16string FullDiskFolder() {
    return ProgramFolder() + u"full_disk_temp\\";
}

// A folder where no one may create a file. Wine's drive Z: is the Unix root,
// and in /sys not even root may; on Windows it is a folder whose permissions
// deny the user, with the same ERROR_ACCESS_DENIED.
constexpr char16_t kReadOnlyFolder[] = u"Z:\\sys\\";

// A report that cannot be written is reported with its path and the system's
// reason; nothing is opened, and an earlier report stays as it was.
TEST(RunReportCommand, UnwritableReportIsReportedAndNothingOpened) {
    enum class Trouble { MissingFolder, ReadOnlyFolder, LockedReport, FullDisk };
    const struct {
        const char* name;
        Trouble trouble;
        DWORD error;
    } cases[] = {
        {"missing folder", Trouble::MissingFolder, ERROR_PATH_NOT_FOUND},
        {"read-only folder", Trouble::ReadOnlyFolder, ERROR_ACCESS_DENIED},
        {"locked report", Trouble::LockedReport, ERROR_SHARING_VIOLATION},
        {"full disk", Trouble::FullDisk, ERROR_DISK_FULL},
    };
    const std::string earlier =
        "\xEF\xBB\xBF"
        "earlier run\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder(u"qst_report");
        const std::u16string path = c.trouble == Trouble::MissingFolder    ? folder.File(u"gone\\")
                                    : c.trouble == Trouble::ReadOnlyFolder ? kReadOnlyFolder
                                    : c.trouble == Trouble::FullDisk       ? FullDiskFolder()
                                                                           : folder.Path();
        TempDirectory temp(path);
        RecordingPresenter presenter;
        UniqueFileHandle holder;
        if (c.trouble == Trouble::LockedReport) {
            ASSERT_TRUE(WriteBytes(temp.ReportPath(), earlier));
            holder.reset(CreateFileW(WideCStr(temp.ReportPath()), GENERIC_READ, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(holder.valid());
        }
        RunReportCommand(nullptr, kReport, presenter);
        holder.reset();
        EXPECT_TRUE(presenter.opened.empty());
        ASSERT_EQ(presenter.failures.size(), 1u);
        EXPECT_EQ(presenter.failures[0], u"The report could not be written to\n" +
                                             temp.ReportPath() + u"\n\n" +
                                             SystemErrorText(c.error));
        if (c.trouble == Trouble::LockedReport) {
            EXPECT_EQ(ReadBytes(temp.ReportPath()), earlier);
        }
    }
}

TEST(RunReportCommand, NoTemporaryDirectoryDoesNothing) {
    // Longer than the 260 units GetTempPathW is given.
    TempDirectory temp(u"C:\\" + std::u16string(300, u'x') + u"\\");
    RecordingPresenter presenter;
    RunReportCommand(nullptr, kReport, presenter);
    EXPECT_TRUE(presenter.opened.empty());
    EXPECT_TRUE(presenter.failures.empty());
}

TEST(RunReportCommand, TheUserSeesAMessageBoxNamingFileAndReason) {
    TempDirectory temp;
    RecordingPresenter presenter;
    RunReportCommand(nullptr, u"earlier run\r\n", presenter);
    UniqueFileHandle holder(CreateFileW(WideCStr(temp.ReportPath()), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.valid());

    MessageBoxCloser closer;
    RunReportCommand(nullptr, kReport);  // the real box; returns once it is closed
    using Box = MessageBoxCloser::Box;
    EXPECT_EQ(closer.Boxes(),
              (std::vector<Box>{{FromWide(kReportFailureCaption),
                                 u"The report could not be written to\n" + temp.ReportPath() +
                                     u"\n\n" + SystemErrorText(ERROR_SHARING_VIOLATION)}}));
}

}  // namespace
