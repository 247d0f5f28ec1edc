// The command line of cardlist, the tool for the people who keep the graphics
// card list: check a list, explain a verdict, show what a change re-rates.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Exit codes.
inline constexpr int kToolClean = 0;     // no finding, no change; explain succeeded
inline constexpr int kToolFindings = 1;  // findings, or a change that re-rates adapters
inline constexpr int kToolFailed = 2;    // a usage error, or a file that cannot be read or written

// What the tool needs of the system it runs on.
class ToolSystem {
  public:
    virtual ~ToolSystem() = default;
    // The bytes of a file; empty when it cannot be read.
    virtual std::optional<std::string> ReadFile(const std::u16string& path) = 0;
    // UTF-8 text for the standard output and the standard error.
    virtual void Out(std::string_view text) = 0;
    virtual void Error(std::string_view text) = 0;
    // Where the PCI ID database is when no --pci-ids names it; empty when the
    // system has none.
    virtual std::u16string DefaultPciIds() const = 0;
};

// arguments: the command line without the program's name.
int RunCardListTool(const std::vector<std::u16string>& arguments, ToolSystem& system);
