// A folder laid out like the one a user unzips, made for one test from the
// shipped files of a build (by default those copied beside the test program),
// so each run starts from the shipped files and its log and report files stay
// its own.
#pragma once

#include "common/tests/wine/temp_folder.h"
#include "common/win/program_folder.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

class BundleFolder {
  public:
    // Copies the shipped files of the source folder except the ones left out.
    explicit BundleFolder(const std::vector<std::wstring>& leftOut = {},
                          const std::u16string& source = ProgramFolder());

    // The folder with its final backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring Program() const { return path_ + L"QuarvelSysTest.exe"; }
    // Names of the files in the folder that match the pattern (e.g. "vexmira_*.txt").
    std::vector<std::u16string> Files(std::u16string_view pattern) const {
        return FilesIn(folder_.Path(), pattern);
    }

  private:
    TempFolder folder_{u"qst_bundle"};
    std::wstring path_;
};

// The names of the shipped language libraries (Lang_*.Dll).
std::vector<std::wstring> ShippedLanguageLibraries();

// The report file the report button writes: the temporary directory +
// "QuarvelSysTest.txt".
std::wstring ReportFilePath();
