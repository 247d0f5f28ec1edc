#include "systest/engine/machine_probe.h"

#include "common/win/error_mode.h"
#include "common/win/handles.h"
#include "common/win/wide.h"
#include "systest/engine/os_display_string.h"
#include "systest/engine/processor_probe.h"

#include <string>

namespace {

static_assert(sizeof(MEMORYSTATUSEX) == 64, "the length GlobalMemoryStatusEx is given");

}  // namespace

std::optional<OSReading> Win32MachineProbe::ReadOperatingSystem() {
    wchar_t description[kOSDescriptionUnits] = {};
    wchar_t verdict[kOSVerdictUnits] = {};
    if (GetOSDisplayString(description, verdict) == 0) {
        return std::nullopt;
    }
    return OSReading{FromWide(description),
                     {static_cast<char16_t>(verdict[0]), static_cast<char16_t>(verdict[1])}};
}

bool Win32MachineProbe::ProbeProcessorFeature(ProcessorFeature feature) {
    return ::ProbeProcessorFeature(feature);
}

CpuidRegisters Win32MachineProbe::Cpuid(uint32_t leaf, uint32_t subleaf) {
    return ReadCpuid(leaf, subleaf);
}

std::optional<uint64_t> Win32MachineProbe::TotalPhysicalMemory() {
    return ReadTotalPhysicalMemory();
}

bool Win32MachineProbe::IsFixedDrive(std::u16string_view rootPath) {
    return GetDriveTypeW(ToWide(rootPath).c_str()) == DRIVE_FIXED;
}

uint64_t Win32MachineProbe::DiskFreeBytes(std::u16string_view rootPath) {
    // A drive without its medium (a card reader) fails the call instead of
    // asking the user for a disk.
    const AddedErrorMode noDiskBox(SEM_FAILCRITICALERRORS);
    return GetDiskFreeBytes(ToWide(rootPath).c_str());
}

ScreenSize Win32MachineProbe::PrimaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::optional<uint64_t> ReadTotalPhysicalMemory() {
    const auto globalMemoryStatusEx =
        ResolveFunction<BOOL(MEMORYSTATUSEX*)>(L"kernel32.dll", "GlobalMemoryStatusEx");
    if (globalMemoryStatusEx == nullptr) {
        MEMORYSTATUS status = {};
        status.dwLength = sizeof status;
        GlobalMemoryStatus(&status);
        return status.dwTotalPhys;
    }
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!globalMemoryStatusEx(&status)) {
        return std::nullopt;
    }
    return status.ullTotalPhys;
}

uint64_t GetDiskFreeBytes(const wchar_t* rootPath) {
    const auto getDiskFreeSpaceEx =
        ResolveFunction<BOOL(const wchar_t*, ULARGE_INTEGER*, ULARGE_INTEGER*, ULARGE_INTEGER*)>(
            L"kernel32.dll", "GetDiskFreeSpaceExW");
    if (getDiskFreeSpaceEx != nullptr) {
        ULARGE_INTEGER availableToCaller = {};
        ULARGE_INTEGER total = {};
        ULARGE_INTEGER totalFree = {};
        if (!getDiskFreeSpaceEx(rootPath, &availableToCaller, &total, &totalFree)) {
            return 0;
        }
        return totalFree.QuadPart;
    }
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    if (!GetDiskFreeSpaceW(rootPath, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters)) {
        return 0;
    }
    return FreeBytesFromClusters(sectorsPerCluster, bytesPerSector, freeClusters);
}
