#include "cardlist/results_file.h"

#include "cardlist/json.h"
#include "common/text.h"
#include "vexmira/diagnostic_flow.h"

#include <algorithm>
#include <limits>

namespace {

constexpr char16_t kProduct[] = u"Quarvel 2012";
// The display devices' keys are made up: one per adapter that drives a screen.
constexpr char16_t kDeviceKeyHead[] =
    u"\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\"
    u"{00000000-0000-0000-0000-0000000000";
constexpr char16_t kDeviceKeyTail[] = u"}\\0000";
constexpr size_t kCimDateLength = 8;

// The members of one object of the file, read by name; the first one missing
// or of the wrong kind is the file's problem, and every read after it gives a
// default.
class ObjectReader {
  public:
    ObjectReader(const JsonValue* object, std::string path, std::string& problem)
        : object_(object), path_(std::move(path)), problem_(problem) {}

    const JsonValue* Member(std::string_view name) const {
        return object_ == nullptr ? nullptr : object_->Find(Utf16FromAscii(name));
    }
    std::string PathOf(std::string_view name) const {
        return path_.empty() ? std::string(name) : path_ + "." + std::string(name);
    }

    std::u16string Text(std::string_view name) {
        const JsonValue* value = Required(name);
        return value != nullptr && Expect(value->String() != nullptr, name, "a text")
                   ? *value->String()
                   : std::u16string();
    }
    std::optional<std::u16string> TextOrNull(std::string_view name) {
        const JsonValue* value = Required(name);
        if (value == nullptr || value->IsNull()) {
            return std::nullopt;
        }
        return Expect(value->String() != nullptr, name, "a text or null")
                   ? std::optional(*value->String())
                   : std::nullopt;
    }
    std::optional<int64_t> IntegerOrNull(std::string_view name, int64_t lowest, int64_t highest) {
        const JsonValue* value = Required(name);
        if (value == nullptr || value->IsNull()) {
            return std::nullopt;
        }
        const std::optional<int64_t> number = value->Integer();
        const bool inRange = number && *number >= lowest && *number <= highest;
        return Expect(inRange, name,
                      "a whole number from " + std::to_string(lowest) + " to " +
                          std::to_string(highest))
                   ? number
                   : std::nullopt;
    }
    int Integer(std::string_view name, int64_t lowest, int64_t highest) {
        const JsonValue* value = Required(name);
        if (value != nullptr && value->IsNull()) {
            Expect(false, name, "a number");
        }
        return static_cast<int>(IntegerOrNull(name, lowest, highest).value_or(0));
    }
    bool Flag(std::string_view name) {
        const JsonValue* value = Required(name);
        return value != nullptr && Expect(value->Boolean().has_value(), name, "true or false") &&
               *value->Boolean();
    }
    const std::vector<JsonValue>& List(std::string_view name) {
        static const std::vector<JsonValue> none;
        const JsonValue* value = Required(name);
        return value != nullptr && Expect(value->Items() != nullptr, name, "a list")
                   ? *value->Items()
                   : none;
    }
    ObjectReader Object(std::string_view name) {
        const JsonValue* value = Required(name);
        const bool isObject = value != nullptr && value->kind() == JsonValue::Kind::Object;
        if (value != nullptr) {
            Expect(isObject, name, "an object");
        }
        return {isObject ? value : nullptr, PathOf(name), problem_};
    }

  private:
    const JsonValue* Required(std::string_view name) {
        const JsonValue* value = Member(name);
        if (value == nullptr && object_ != nullptr && problem_.empty()) {
            problem_ = "damaged: " + PathOf(name) + " is missing";
        }
        return problem_.empty() ? value : nullptr;
    }
    bool Expect(bool ok, std::string_view name, std::string_view what) {
        if (!ok && problem_.empty()) {
            problem_ = "damaged: " + PathOf(name) + " is not " + std::string(what);
        }
        return ok && problem_.empty();
    }

    const JsonValue* object_;
    std::string path_;
    std::string& problem_;
};

std::string Indexed(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

// An item of a list as an object, or the file's problem.
ObjectReader Item(const JsonValue& item, const std::string& path, std::string& problem) {
    const bool isObject = item.kind() == JsonValue::Kind::Object;
    if (!isObject && problem.empty()) {
        problem = "damaged: " + path + " is not an object";
    }
    return {isObject ? &item : nullptr, path, problem};
}

void ReadChecks(ObjectReader& file, ResultsFile& results, std::string& problem) {
    const std::vector<JsonValue>& checks = file.List("checks");
    for (size_t i = 0; i < checks.size() && problem.empty(); ++i) {
        ObjectReader check = Item(checks[i], Indexed("checks", i), problem);
        ResultsCheck read;
        read.key = Utf8FromUtf16(check.Text("key"));
        read.level = check.Integer("level", 1, 4);
        read.measured = check.Flag("measured");
        read.status = check.Text("status");
        read.text = check.Text("text");
        if (problem.empty() && results.Check(read.key) != nullptr) {
            problem = "damaged: checks has the key " + read.key + " twice";
        }
        results.checks.push_back(std::move(read));
    }
}

void ReadGraphics(ObjectReader& file, ResultsFile& results, std::string& problem) {
    if (file.Member("graphics") == nullptr) {
        return;  // a file of the earlier version
    }
    results.hasGraphics = true;
    ObjectReader graphics = file.Object("graphics");
    const std::vector<JsonValue>& adapters = graphics.List("adapters");
    if (adapters.size() > kMaxVideoControllers) {
        problem = "damaged: graphics.adapters holds more than " +
                  std::to_string(kMaxVideoControllers) + " adapters";
    }
    for (size_t i = 0; i < adapters.size() && problem.empty(); ++i) {
        ObjectReader adapter = Item(adapters[i], Indexed("graphics.adapters", i), problem);
        ResultsAdapter read;
        read.caption = adapter.Text("caption");
        read.pnpDeviceId = adapter.Text("pnpDeviceId");
        read.driverVersion = adapter.TextOrNull("driverVersion");
        read.driverDate = adapter.TextOrNull("driverDate");
        read.registryDriverVersion = adapter.TextOrNull("registryDriverVersion");
        read.comparedVersion = adapter.Text("comparedVersion");
        read.comparedDate = adapter.TextOrNull("comparedDate");
        read.memoryBytes =
            adapter.IntegerOrNull("memoryBytes", 0, std::numeric_limits<uint32_t>::max());
        read.rendersOpenGL = adapter.Flag("rendersOpenGL");
        read.drivesScreen = adapter.Flag("drivesScreen");
        read.primary = adapter.Flag("primary");
        results.adapters.push_back(std::move(read));
    }
    const std::optional<int64_t> judged =
        graphics.IntegerOrNull("judgedAdapter", 0, kMaxVideoControllers - 1);
    if (judged && *judged >= static_cast<int64_t>(results.adapters.size()) && problem.empty()) {
        problem = "damaged: graphics.judgedAdapter names no adapter of graphics.adapters";
    }
    if (judged && problem.empty()) {
        results.judgedAdapter = static_cast<size_t>(*judged);
    }
    results.diagnosticLog = graphics.Text("diagnosticLog");
}

WmiText TextOrNone(const std::optional<std::u16string>& text) {
    return text ? WmiText{WmiText::State::Text, *text} : WmiText{WmiText::State::NotText, {}};
}

// The file writes an empty caption or PNP id where WMI gave none.
WmiText TextOrNone(const std::u16string& text) {
    return TextOrNone(text.empty() ? std::nullopt : std::optional(text));
}

std::u16string DeviceKey(size_t adapter) {
    const char16_t digits[] = {static_cast<char16_t>(u'0' + adapter / 10),
                               static_cast<char16_t>(u'0' + adapter % 10), u'\0'};
    return kDeviceKeyHead + std::u16string(digits) + kDeviceKeyTail;
}

}  // namespace

const ResultsCheck* ResultsFile::Check(std::string_view key) const {
    const auto found = std::find_if(checks.begin(), checks.end(),
                                    [&](const ResultsCheck& check) { return check.key == key; });
    return found == checks.end() ? nullptr : &*found;
}

ResultsReading ReadResultsFile(std::string_view bytes) {
    ResultsReading reading;
    const JsonReading json = ReadJson(bytes);
    if (!json.ok) {
        reading.problem = "damaged: not JSON (" + json.problem + ")";
        return reading;
    }
    const JsonValue* product = json.value.Find(u"product");
    const JsonValue* version = json.value.Find(u"schemaVersion");
    if (product == nullptr || product->String() == nullptr || *product->String() != kProduct ||
        version == nullptr) {
        reading.problem = "not a results file of QuarvelSysTest";
        return reading;
    }
    if (version->Integer() != kResultsSchemaVersion) {
        reading.problem = "results of another version (schemaVersion " +
                          (version->Integer() ? std::to_string(*version->Integer())
                                              : std::string("not a number")) +
                          "); this cardlist reads version " + std::to_string(kResultsSchemaVersion);
        return reading;
    }
    std::string& problem = reading.problem;
    ResultsFile results;
    ObjectReader file(&json.value, "", problem);
    results.computerName = file.Text("computerName");
    results.tested = file.Text("tested");
    results.windows = file.Object("operatingSystem").Text("description");
    ReadChecks(file, results, problem);
    results.diagnosticExitCode = file.Integer("diagnosticExitCode", -1, 4);
    ObjectReader overall = file.Object("overall");
    results.overallLevel = overall.Integer("level", 1, 4);
    results.overallStatus = overall.Text("status");
    ReadGraphics(file, results, problem);
    if (problem.empty()) {
        reading.results = std::move(results);
    }
    return reading;
}

MachineFacts MachineOfResults(const ResultsFile& results) {
    MachineFacts machine;
    machine.remoteSession = results.diagnosticExitCode == kDiagnosticRemoteSession;
    for (size_t i = 0; i < results.adapters.size(); ++i) {
        const ResultsAdapter& adapter = results.adapters[i];
        machine.controllers.push_back(
            {TextOrNone(adapter.caption),
             adapter.memoryBytes
                 ? WmiMemory{WmiMemory::State::Value, static_cast<uint32_t>(*adapter.memoryBytes)}
                 : WmiMemory{WmiMemory::State::Null, 0},
             TextOrNone(adapter.driverDate), TextOrNone(adapter.driverVersion),
             TextOrNone(adapter.pnpDeviceId)});
        if (!adapter.drivesScreen) {
            continue;
        }
        const std::u16string key = DeviceKey(i);
        machine.displays.push_back(
            {HardwareIdOf(adapter.pnpDeviceId), key,
             kDisplayAttachedToDesktop | (adapter.primary ? kDisplayPrimaryDevice : 0u),
             adapter.caption});
        if (adapter.registryDriverVersion) {
            DriverKeyValues values;
            values.driverVersion = {true, *adapter.registryDriverVersion};
            machine.driverKeys.emplace(std::u16string(DriverSubkey(key)), values);
        }
    }
    return machine;
}

AdapterFacts FactsOfAdapter(const ResultsAdapter& adapter) {
    const std::optional<std::u16string>& version =
        adapter.driverVersion ? adapter.driverVersion : adapter.registryDriverVersion;
    return {adapter.caption, adapter.pnpDeviceId, version.value_or(u""),
            adapter.driverDate.value_or(u"").substr(0, kCimDateLength)};
}
