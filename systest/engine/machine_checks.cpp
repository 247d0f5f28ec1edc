#include "systest/engine/machine_checks.h"

#include "common/format.h"
#include "systest/resources/string_ids.h"

#include <vector>

namespace {

constexpr uint32_t kCpuidHighestLeaf = 0;
constexpr uint32_t kCpuidCacheParameters = 4;  // EAX 31..26: cores per package - 1
constexpr uint32_t kCoresFieldShift = 26;
constexpr uint32_t kCoresFieldMask = 0x3F;

constexpr int kMemoryUnitShift = 29;  // 512 MB
constexpr uint64_t kMemoryFailedBelowUnits = 2;
constexpr uint64_t kMemoryWarningBelowUnits = 4;

constexpr int kGigabyteShift = 30;
constexpr int32_t kDiskRecommendedGigabytes = 10;
constexpr int32_t kDiskMinimumGigabytes = 5;

constexpr char16_t kFirstDriveLetter = u'A';
constexpr char16_t kLastDriveLetter = u'Z';
constexpr char16_t kDefaultDriveLetter = u'C';

constexpr ScreenSize kScreenMinimum = {1024, 768};
constexpr ScreenSize kScreenRecommended = {1280, 1024};
constexpr ScreenSize kScreenLarge = {1600, 1200};

bool IsBelow(const ScreenSize& screen, const ScreenSize& required) {
    return screen.width < required.width || screen.height < required.height;
}

CheckResult ScreenResult(CheckLevel level, int textId, const ScreenSize& size,
                         const StringSource& strings) {
    return {level, FormatString(strings.Load(textId), {size.width, size.height}), {}};
}

}  // namespace

OperatingSystemCheck ProbedSystemChecks::CheckOperatingSystem() {
    std::optional<OSReading> reading = probe_.ReadOperatingSystem();
    const std::optional<OSVerdict> verdict =
        reading ? std::optional<OSVerdict>(reading->verdict) : std::nullopt;
    return {JudgeOperatingSystem(verdict, strings_), std::move(reading)};
}

CheckResult ProbedSystemChecks::CheckProcessor() {
    // SSE first; without it SSE2 is not probed and the cores are not counted.
    const bool featuresPresent = probe_.ProbeProcessorFeature(ProcessorFeature::Sse) &&
                                 probe_.ProbeProcessorFeature(ProcessorFeature::Sse2);
    if (!featuresPresent) {
        return JudgeProcessor(false, 0, strings_);
    }
    const uint32_t highestLeaf = probe_.Cpuid(kCpuidHighestLeaf, 0).eax;
    const uint32_t leaf4Eax =
        highestLeaf >= kCpuidCacheParameters ? probe_.Cpuid(kCpuidCacheParameters, 0).eax : 0;
    return JudgeProcessor(true, CoresPerPackage(highestLeaf, leaf4Eax), strings_);
}

CheckResult ProbedSystemChecks::CheckMemory() {
    return JudgeMemory(probe_.TotalPhysicalMemory(), strings_);
}

CheckResult ProbedSystemChecks::CheckDiskSpace() {
    std::vector<DriveSpace> fixedDrives;
    for (char16_t letter = kFirstDriveLetter; letter <= kLastDriveLetter; ++letter) {
        const char16_t root[] = {letter, u':', u'\\', u'\0'};
        if (probe_.IsFixedDrive(root)) {
            fixedDrives.push_back({letter, probe_.DiskFreeBytes(root)});
        }
    }
    return JudgeDiskSpace(ChooseDiskDrive(fixedDrives), strings_);
}

CheckResult ProbedSystemChecks::CheckScreen() {
    return JudgeScreen(probe_.PrimaryScreenSize(), strings_);
}

int32_t CoresPerPackage(uint32_t highestLeaf, uint32_t leaf4Eax) {
    if (highestLeaf < kCpuidCacheParameters) {
        return 1;
    }
    return static_cast<int32_t>((leaf4Eax >> kCoresFieldShift) & kCoresFieldMask) + 1;
}

CheckResult JudgeProcessor(bool featuresPresent, int32_t coresPerPackage,
                           const StringSource& strings) {
    if (!featuresPresent) {
        return {CheckLevel::Failed, strings.Load(IDS_CPU_FAILED), {}};
    }
    return {coresPerPackage > 1 ? CheckLevel::PassedWithMargin : CheckLevel::Passed,
            strings.Load(IDS_CPU_PASSED),
            {}};
}

uint64_t MemoryUnits(uint64_t totalBytes) {
    constexpr uint64_t kRemainderMask = (uint64_t{1} << kMemoryUnitShift) - 1;
    return (totalBytes >> kMemoryUnitShift) + ((totalBytes & kRemainderMask) != 0 ? 1 : 0);
}

CheckResult JudgeMemory(std::optional<uint64_t> totalBytes, const StringSource& strings) {
    if (!totalBytes) {
        return {CheckLevel::Warning, strings.Load(IDS_MEMORY_UNREADABLE), {}};
    }
    const uint64_t units = MemoryUnits(*totalBytes);
    if (units < kMemoryFailedBelowUnits) {
        return {CheckLevel::Failed, strings.Load(IDS_MEMORY_FAILED), {}};
    }
    if (units < kMemoryWarningBelowUnits) {
        return {CheckLevel::Warning, strings.Load(IDS_MEMORY_WARNING), {}};
    }
    return {CheckLevel::Passed, strings.Load(IDS_MEMORY_PASSED), {}};
}

DriveSpace ChooseDiskDrive(std::span<const DriveSpace> fixedDrives) {
    DriveSpace chosen{fixedDrives.empty() ? kDefaultDriveLetter : fixedDrives.front().letter, 0};
    for (const DriveSpace& drive : fixedDrives) {
        // Strictly more: on a tie the earlier letter stays.
        if (drive.freeBytes > chosen.freeBytes) {
            chosen = drive;
        }
    }
    return chosen;
}

CheckResult JudgeDiskSpace(const DriveSpace& drive, const StringSource& strings) {
    const uint64_t gigabytes = drive.freeBytes >> kGigabyteShift;
    const std::u16string_view letter(&drive.letter, 1);
    if (gigabytes >= static_cast<uint64_t>(kDiskRecommendedGigabytes)) {
        return {CheckLevel::Passed,
                FormatString(strings.Load(IDS_DISK_PASSED), {letter, kDiskRecommendedGigabytes}),
                {}};
    }
    if (gigabytes >= static_cast<uint64_t>(kDiskMinimumGigabytes)) {
        return {CheckLevel::Warning,
                FormatString(strings.Load(IDS_DISK_BELOW), {letter, kDiskRecommendedGigabytes}),
                {}};
    }
    return {CheckLevel::Failed,
            FormatString(strings.Load(IDS_DISK_BELOW), {letter, kDiskMinimumGigabytes}),
            {}};
}

uint64_t FreeBytesFromClusters(uint32_t sectorsPerCluster, uint32_t bytesPerSector,
                               uint32_t freeClusters) {
    return uint64_t{sectorsPerCluster} * bytesPerSector * freeClusters;
}

CheckResult JudgeScreen(const ScreenSize& screen, const StringSource& strings) {
    if (IsBelow(screen, kScreenMinimum)) {
        return ScreenResult(CheckLevel::Failed, IDS_SCREEN_BELOW, kScreenMinimum, strings);
    }
    if (IsBelow(screen, kScreenRecommended)) {
        return ScreenResult(CheckLevel::Warning, IDS_SCREEN_BELOW, kScreenRecommended, strings);
    }
    if (!IsBelow(screen, kScreenLarge)) {
        return ScreenResult(CheckLevel::PassedWithMargin, IDS_SCREEN_PASSED, kScreenLarge, strings);
    }
    return ScreenResult(CheckLevel::Passed, IDS_SCREEN_PASSED, kScreenRecommended, strings);
}
