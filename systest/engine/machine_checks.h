// Checks 1 to 5 of RunChecks: the operating system, processor, physical
// memory, free disk space and screen, judged against fixed thresholds. The
// facts come from a MachineProbe, which the Windows layer implements with the
// Win32 calls (machine_probe.h) and the tests fake.
#pragma once

#include "systest/engine/check_result.h"
#include "systest/engine/check_sequence.h"
#include "systest/engine/os_identification.h"
#include "systest/engine/string_source.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

enum class ProcessorFeature { Sse, Sse2 };

struct CpuidRegisters {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

struct ScreenSize {
    int32_t width = 0;
    int32_t height = 0;
};

class MachineProbe {
  public:
    virtual ~MachineProbe() = default;
    // GetOSDisplayString's description and verdict; none when it returned 0.
    virtual std::optional<OSReading> ReadOperatingSystem() = 0;
    // Whether an instruction of the feature runs: the processor and the
    // operating system's support for its registers are tested together.
    virtual bool ProbeProcessorFeature(ProcessorFeature feature) = 0;
    virtual CpuidRegisters Cpuid(uint32_t leaf, uint32_t subleaf) = 0;
    // The total physical memory; none when the system cannot tell.
    virtual std::optional<uint64_t> TotalPhysicalMemory() = 0;
    // rootPath is a drive's root, such as "C:\".
    virtual bool IsFixedDrive(std::u16string_view rootPath) = 0;
    // The free bytes of the whole disk; 0 when they cannot be read.
    virtual uint64_t DiskFreeBytes(std::u16string_view rootPath) = 0;
    virtual ScreenSize PrimaryScreenSize() = 0;
};

// Checks 1 to 5 on the facts of a probe, with texts from strings.
class ProbedSystemChecks final : public SystemChecks {
  public:
    ProbedSystemChecks(MachineProbe& probe, const StringSource& strings)
        : probe_(probe), strings_(strings) {}

    OperatingSystemCheck CheckOperatingSystem() override;
    CheckResult CheckProcessor() override;
    CheckResult CheckMemory() override;
    CheckResult CheckDiskSpace() override;
    CheckResult CheckScreen() override;

  private:
    MachineProbe& probe_;
    const StringSource& strings_;
};

// The thresholds, one function per check. MB is 2^20 bytes and GB 2^30 bytes.

// Cores per package from CPUID: bits 26 to 31 of leaf 4's EAX plus one, or 1
// when the processor's highest leaf is below 4 (leaf4Eax is not used then).
int32_t CoresPerPackage(uint32_t highestLeaf, uint32_t leaf4Eax);
CheckResult JudgeProcessor(bool featuresPresent, int32_t coresPerPackage,
                           const StringSource& strings);

// Memory in units of 512 MB, rounded up: up to 512 MB fails, up to 1.5 GB warns.
uint64_t MemoryUnits(uint64_t totalBytes);
CheckResult JudgeMemory(std::optional<uint64_t> totalBytes, const StringSource& strings);

struct DriveSpace {
    char16_t letter = u'C';
    uint64_t freeBytes = 0;
};
// The fixed drive with the most free bytes; on a tie the earlier letter. When
// none has any, the first fixed drive, or C when there is none.
DriveSpace ChooseDiskDrive(std::span<const DriveSpace> fixedDrives);
// 10 GB passes, 5 GB warns (required: 10), less fails (required: 5).
CheckResult JudgeDiskSpace(const DriveSpace& drive, const StringSource& strings);
// GetDiskFreeSpaceW's answer in bytes, without overflowing 32 bits.
uint64_t FreeBytesFromClusters(uint32_t sectorsPerCluster, uint32_t bytesPerSector,
                               uint32_t freeClusters);

// Below 1024 x 768 fails, below 1280 x 1024 warns, 1600 x 1200 has a margin.
CheckResult JudgeScreen(const ScreenSize& screen, const StringSource& strings);
