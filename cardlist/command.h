// The command line of cardlist, the tool for the people who keep the graphics
// card list: check a list, explain a verdict, show what a change re-rates, and
// roll a fleet's results up into one table and one page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Exit codes.
inline constexpr int kToolClean = 0;     // no finding, no change; explain succeeded
inline constexpr int kToolFindings = 1;  // findings, a change that re-rates adapters, files skipped
inline constexpr int kToolFailed = 2;    // a usage error, or a file that cannot be read or written

// A file of a folder.
struct FolderFile {
    std::u16string name;
    std::u16string path;  // the folder's path and the name
    uint64_t bytes = 0;
};

// What the tool needs of the system it runs on.
class ToolSystem {
  public:
    virtual ~ToolSystem() = default;
    // The bytes of a file; empty when it cannot be read.
    virtual std::optional<std::string> ReadFile(const std::u16string& path) = 0;
    // Writes a file whole, replacing one of its name; false when it cannot.
    virtual bool WriteFile(const std::u16string& path, std::string_view bytes) = 0;
    // The files of a folder, not its subfolders, in any order; empty when the
    // folder cannot be read.
    virtual std::optional<std::vector<FolderFile>> ListFolder(const std::u16string& folder) = 0;
    // UTF-8 text for the standard output and the standard error.
    virtual void Out(std::string_view text) = 0;
    virtual void Error(std::string_view text) = 0;
    // Text for the standard error only when it is a console: progress that a
    // person watches, which a log or a script does not want.
    virtual void Progress(std::string_view text) = 0;
    // Where the PCI ID database is when no --pci-ids names it; empty when the
    // system has none.
    virtual std::u16string DefaultPciIds() const = 0;
    // The graphics card list when no --list names one: the list that ships
    // with this build of the programs.
    virtual std::u16string DefaultList() const = 0;
};

// arguments: the command line without the program's name.
int RunCardListTool(const std::vector<std::u16string>& arguments, ToolSystem& system);
