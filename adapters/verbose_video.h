// The diagnostic message boxes that QuarvelSysTest shows with the switch
// "-verbosevideo": intermediate values of the video checks. Their texts are
// built here; the boxes themselves are a thin Windows layer.
#pragma once

#include "adapters/driver_version.h"

#include <string>
#include <string_view>

// Where the diagnostic boxes go: message boxes in the program, a record in the
// tests, nothing without the switch.
class VerboseVideo {
  public:
    virtual ~VerboseVideo() = default;
    // Shows text under caption with an OK button and waits for it to be closed.
    virtual void Show(std::u16string_view caption, std::u16string_view text) = 0;
};

// Shows nothing: the program without "-verbosevideo".
class SilentVideo final : public VerboseVideo {
  public:
    void Show(std::u16string_view, std::u16string_view) override {}
};

// The switch counts anywhere in the command line, letter case included, and is
// not passed on to the diagnostic program.
bool HasVerboseVideoSwitch(std::u16string_view commandLine);

inline constexpr std::u16string_view kVersionBoxCaption = u"Version";
inline constexpr std::u16string_view kComparisonBoxCaption = u"Die Version";
inline constexpr std::u16string_view kTraceBoxCaption = u"Der Vergleich";
inline constexpr std::u16string_view kListEntryBoxCaption = u"Eintrag in Liste";
inline constexpr std::u16string_view kReturnValueBoxCaption = u"VexMira.exe";

// "Version: 295.73.0.0": the chosen adapter's version after the adapter query.
std::u16string VersionBoxText(const DriverVersionNumber& version);

// The list's and the adapter's version, both verdicts, the comparison trace and
// both dates, after a list line matched the adapter.
std::u16string ComparisonBoxText(const DriverVersionNumber& list,
                                 const DriverVersionNumber& adapter,
                                 const DriverVersionComparison& comparison, bool dateOk,
                                 DriverDateNumber adapterDate, DriverDateNumber listDate);

// "Return value: 3": the diagnostic program's exit code.
std::u16string ReturnValueBoxText(int32_t exitCode);
