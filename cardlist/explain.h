// What each program decides for one adapter against a graphics card list:
// the programs' own rules run over an adapter described by what Windows
// reports of it. Vexmira's adapter test and list search write its log lines;
// QuarvelSysTest's adapter query, scan and card list decision give its rows.
#pragma once

#include "adapters/driver_version.h"
#include "adapters/video_sources.h"
#include "cardlist/list_readings.h"
#include "systest/engine/check_result.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// What Windows reports of the adapter.
struct AdapterFacts {
    std::u16string caption;        // WMI's Caption, as Windows shows it
    std::u16string pnpDeviceId;    // WMI's PNPDeviceID; may be empty
    std::u16string driverVersion;  // as Windows reports it, e.g. 8.17.12.9573
    std::u16string driverDate;     // yyyymmdd, the start of WMI's DriverDate
};

// Everything Windows reports of a machine's graphics, as both programs read it.
struct MachineFacts {
    std::vector<WmiVideoController> controllers;  // Win32_VideoController, in WMI's order
    std::vector<DisplayDevice> displays;          // EnumDisplayDevicesW's, in its order
    std::map<std::u16string, DriverKeyValues, std::less<>> driverKeys;  // by subkey of HKLM
    bool remoteSession = false;
};

// The hardware id that begins a PNP device id, as the display devices give
// it: the text before its second backslash.
std::u16string HardwareIdOf(std::u16string_view pnpDeviceId);

// The machine of one adapter: it alone, on the primary display, its driver's
// key holding the version WMI gives, and memory enough for both programs.
MachineFacts MachineOfAdapter(const AdapterFacts& adapter);

// The OpenGL that Vexmira finds.
struct OpenGLFacts {
    // GL_VERSION: below 3 the list must name the card, from 3 on a card it
    // does not name passes.
    std::string version = "2.1";
    // OpenGL from another vendor than the adapter Windows shows.
    bool anotherVendor = false;
    // GL_VENDOR as the driver gives it; when empty, the adapter's caption or,
    // with anotherVendor, a vendor that names no Intel.
    std::string vendor;
};

// A line of Vexmira's log and the list line the search was reading when it
// was written (0 outside the search).
struct LogLine {
    int listLine = 0;
    std::u16string text;
};

struct VexmiraVerdict {
    std::vector<LogLine> log;
    bool switchableGraphics = false;
    bool listSearched = false;
    bool fullCheck = false;
    int decidingLine = 0;  // the list line the search ended at; 0 when none ended it
    std::u16string decidingText;
    // The exit code when its OpenGL capability and shader tests pass; they
    // fail only on a driver without the OpenGL features Quarvel needs.
    int exitCode = 0;
};

// A list line that matched the adapter in QuarvelSysTest's scan.
struct ScanMatch {
    ListLine line;
    DriverVersionComparison comparison;
    bool dateCurrent = false;
};

// A row as QuarvelSysTest shows it: the check's key, its level and the
// number of the message it shows (and, where the report says more, the
// number of the report's message), with the English texts.
struct RowVerdict {
    std::string key;
    CheckLevel level = CheckLevel::NoResult;
    std::u16string status;
    int message = 0;
    std::u16string text;
    int reportMessage = 0;
    std::u16string reportText;

    friend bool operator==(const RowVerdict&, const RowVerdict&) = default;
};

struct QuarvelSysTestVerdict {
    DriverVersionNumber adapterVersion;  // as the scan compares it
    DriverDateNumber adapterDate = 0;
    std::vector<ScanMatch> matches;  // in the order of the scan
    bool matched = false;
    int decidingLine = 0;  // the line whose entry the scan remembered
    std::u16string entryCode;
    std::vector<RowVerdict> rows;  // the graphics rows that show, in the order of the checks
};

struct Explanation {
    VexmiraVerdict vexmira;
    QuarvelSysTestVerdict quarvelSysTest;
};

// listPath is the path Vexmira's log names. The rows are every graphics row of
// QuarvelSysTest: the diagnostic's, the memory, card, driver and adapters rows.
Explanation Explain(const ListReadings& list, std::u16string_view listPath,
                    const MachineFacts& machine, const OpenGLFacts& gl);
// The same for one adapter, with the card and driver rows only: its memory is
// not known.
Explanation Explain(const ListReadings& list, std::u16string_view listPath,
                    const AdapterFacts& adapter, const OpenGLFacts& gl);

// The explanation for people: Vexmira's log with the list lines it read, its
// exit code, QuarvelSysTest's matching lines and its rows.
std::u16string ExplanationText(const Explanation& explanation, const AdapterFacts& adapter,
                               const OpenGLFacts& gl);
// The same as JSON (UTF-8); results, when not empty, are members that come
// first ("  \"name\": value,\n" each).
std::string ExplanationJson(const Explanation& explanation, const AdapterFacts& adapter,
                            const OpenGLFacts& gl, std::string_view results = {});

// Whether the programs compare the drivers of an adapter of this caption in
// NVIDIA's short form: the rule itself tells.
bool HasNvidiaVersions(std::u16string_view caption);
// The version as Windows reports it of one as the programs compare it: NVIDIA's
// short form 295.73 comes from 9.18.12.9573, any other as it is.
std::u16string ReportedVersion(const DriverVersionNumber& compared, bool nvidia);
