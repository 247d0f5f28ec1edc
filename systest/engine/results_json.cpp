#include "systest/engine/results_json.h"

#include "common/text.h"
#include "systest/engine/product.h"
#include "systest/resources/version.h"

#include <concepts>
#include <cstdio>
#include <optional>

namespace {

// Bumped when a key changes meaning or goes; new keys keep the version.
constexpr int kSchemaVersion = 1;
constexpr std::string_view kLineEnd = "\r\n";

void AppendEscaped(std::string& out, char16_t unit) {
    switch (unit) {
        case u'"':
            out += "\\\"";
            return;
        case u'\\':
            out += "\\\\";
            return;
        case u'\b':
            out += "\\b";
            return;
        case u'\f':
            out += "\\f";
            return;
        case u'\n':
            out += "\\n";
            return;
        case u'\r':
            out += "\\r";
            return;
        case u'\t':
            out += "\\t";
            return;
        default:
            break;
    }
    char escape[7];
    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
    out += escape;
}

// The status words carry blanks that line the report up in columns.
std::u16string_view WithoutBlanks(std::u16string_view text) {
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

// Writes members and elements with their indentation and separators.
class JsonWriter {
  public:
    std::string Take() { return std::move(out_); }

    void OpenObject(std::string_view key = {}) { Open(key, '{'); }
    void CloseObject() { Close('}'); }
    void OpenArray(std::string_view key = {}) { Open(key, '['); }
    void CloseArray() { Close(']'); }
    void Member(std::string_view key, std::u16string_view text) {
        Key(key);
        out_ += JsonString(text);
    }
    void Member(std::string_view key, int32_t number) {
        Key(key);
        out_ += std::to_string(number);
    }
    // null for none.
    void Nullable(std::string_view key, const std::optional<std::u16string>& text) {
        Key(key);
        out_ += text ? JsonString(*text) : "null";
    }
    void Nullable(std::string_view key, const std::optional<uint64_t>& number) {
        Key(key);
        out_ += number ? std::to_string(*number) : "null";
    }
    // Only for a bool: a string literal would convert to one.
    template <std::same_as<bool> Bool>
    void Member(std::string_view key, Bool value) {
        Key(key);
        out_ += value ? "true" : "false";
    }

  private:
    void Open(std::string_view key, char bracket) {
        Key(key);
        out_ += bracket;
        ++depth_;
        empty_ = true;
    }
    void Close(char bracket) {
        --depth_;
        if (!empty_) {
            out_ += kLineEnd;
            Indent();
        }
        out_ += bracket;
        empty_ = false;
    }
    // The separator before the next member, and its key when it has one.
    void Key(std::string_view key) {
        if (depth_ > 0) {
            out_ += empty_ ? "" : ",";
            out_ += kLineEnd;
            Indent();
        }
        empty_ = false;
        if (!key.empty()) {
            out_ += '"';
            out_ += key;
            out_ += "\": ";
        }
    }
    void Indent() { out_.append(static_cast<size_t>(depth_) * 2, ' '); }

    std::string out_;
    int depth_ = 0;
    bool empty_ = true;  // nothing written yet in the open object or array
};

std::optional<uint64_t> Index(const std::optional<size_t>& index) {
    return index ? std::optional<uint64_t>(*index) : std::nullopt;
}

void WriteGraphicsFacts(JsonWriter& json, const GraphicsFacts& facts) {
    json.OpenObject("graphics");
    json.OpenArray("adapters");
    for (const ReportedAdapter& a : facts.adapters) {
        json.OpenObject();
        json.Member("caption", a.caption);
        json.Member("pnpDeviceId", a.pnpDeviceId);
        json.Nullable("driverVersion", a.driverVersion);
        json.Nullable("driverDate", a.driverDate);
        json.Nullable("registryDriverVersion", a.registryVersion);
        json.Member("comparedVersion", DriverVersionText(a.comparedVersion));
        json.Nullable("comparedDate", a.comparedDate != 0
                                          ? std::optional(DriverDateText(a.comparedDate))
                                          : std::nullopt);
        json.Nullable("memoryBytes",
                      a.memoryBytes ? std::optional<uint64_t>(*a.memoryBytes) : std::nullopt);
        json.Member("rendersOpenGL", a.rendersOpenGL);
        json.Member("drivesScreen", a.drivesScreen);
        json.Member("primary", a.primary);
        json.CloseObject();
    }
    json.CloseArray();
    json.Nullable("judgedAdapter", Index(facts.judged));
    json.Member("diagnosticLog", facts.diagnosticLog);
    json.CloseObject();
}

}  // namespace

std::string JsonString(std::u16string_view text) {
    std::string out = "\"";
    // Runs of text that need no escape go to UTF-8 whole, surrogate pairs and all.
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x20 || unit == u'"' || unit == u'\\') {
            out += Utf8FromUtf16(text.substr(run, i - run));
            AppendEscaped(out, unit);
            run = i + 1;
        }
    }
    out += Utf8FromUtf16(text.substr(run));
    out += '"';
    return out;
}

std::string FormatLocalTimestamp(const CalendarDate& date, const TimeOfDay& time) {
    const int32_t offset = time.utcOffsetMinutes;
    const int32_t offsetMagnitude = offset < 0 ? -offset : offset;
    char text[32];
    std::snprintf(
        text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", static_cast<int>(date.year),
        static_cast<int>(date.month), static_cast<int>(date.day), static_cast<int>(time.hour),
        static_cast<int>(time.minute), static_cast<int>(time.second), offset < 0 ? '-' : '+',
        static_cast<int>(offsetMagnitude / 60), static_cast<int>(offsetMagnitude % 60));
    return text;
}

std::string FormatResultsJson(const CheckRun& run) {
    const RunFacts& facts = run.facts;
    JsonWriter json;
    json.OpenObject();
    json.Member("schemaVersion", kSchemaVersion);
    json.Member("product", kProductName);
    json.Member("programVersion", u"" QST_FILE_VERSION_TEXT);
    json.Member("computerName", facts.computerName);
    json.Member("tested", Utf16FromAscii(FormatLocalTimestamp(facts.today, facts.time)));

    json.OpenObject("operatingSystem");
    json.Member("description", run.os ? std::u16string_view(run.os->description) : u"");
    json.Member("verdict", run.os ? std::u16string_view(&run.os->verdict.verdict, 1) : u"");
    json.CloseObject();

    json.OpenArray("checks");
    for (const CheckVerdict& verdict : run.verdicts) {
        json.OpenObject();
        json.Member("key", Utf16FromAscii(CheckKeyName(verdict.key)));
        json.Member("level", static_cast<int32_t>(verdict.level));
        json.Member("measured", verdict.measured);
        json.Member("status", WithoutBlanks(verdict.status));
        json.Member("text", verdict.reportText);
        if (verdict.adapter) {
            json.Member("adapter", static_cast<int32_t>(*verdict.adapter));
        }
        json.CloseObject();
    }
    json.CloseArray();

    WriteGraphicsFacts(json, run.graphics);

    json.Member("diagnosticExitCode", run.diagnostic.exitCode);

    json.OpenObject("overall");
    json.Member("level", static_cast<int32_t>(run.summary.overallLevel));
    json.Member("status", WithoutBlanks(run.summary.status));
    json.Member("summary", run.summary.text);
    json.CloseObject();

    json.CloseObject();
    return json.Take() + std::string(kLineEnd);
}
