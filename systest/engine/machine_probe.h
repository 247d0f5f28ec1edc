// The facts of checks 1 to 5 read from Windows: GetOSDisplayString, the
// processor probes, physical memory, fixed drives and the primary screen.
#pragma once

#include "systest/engine/machine_checks.h"

#include <cstdint>
#include <optional>

class Win32MachineProbe final : public MachineProbe {
  public:
    std::optional<OSReading> ReadOperatingSystem() override;
    bool ProbeProcessorFeature(ProcessorFeature feature) override;
    CpuidRegisters Cpuid(uint32_t leaf, uint32_t subleaf) override;
    std::optional<uint64_t> TotalPhysicalMemory() override;
    bool IsFixedDrive(std::u16string_view rootPath) override;
    uint64_t DiskFreeBytes(std::u16string_view rootPath) override;
    ScreenSize PrimaryScreenSize() override;
};

// GlobalMemoryStatusEx's total physical memory, or GlobalMemoryStatus's on
// systems without it; none when GlobalMemoryStatusEx fails.
std::optional<uint64_t> ReadTotalPhysicalMemory();

// The free bytes of the whole disk of a root path such as "C:\" (not only what
// the user's quota allows), from GetDiskFreeSpaceExW, or GetDiskFreeSpaceW on
// systems without it; 0 when they cannot be read.
uint64_t GetDiskFreeBytes(const wchar_t* rootPath);
