// The exception guard of the processor probe, proven with instructions that
// really fault.
#include "systest/engine/processor_probe.h"

#include <gtest/gtest.h>

#include <cstring>

extern "C" void QstTestNothing() __asm__("qst_test_nothing");
extern "C" void QstTestUndefinedInstruction() __asm__("qst_test_undefined_instruction");
extern "C" void QstTestReadAddressZero() __asm__("qst_test_read_address_zero");
extern "C" void QstTestBreakpoint() __asm__("qst_test_breakpoint");
asm(R"(
    .text
qst_test_nothing:
    nop
    ret
qst_test_undefined_instruction:
    ud2
    ret
qst_test_read_address_zero:
    movl 0, %eax
    ret
qst_test_breakpoint:
    int3
    ret
)");

namespace {

TEST(RunGuardedProbe, CatchesEveryExceptionAndResumesAtTheCaller) {
    struct Case {
        const char* name;
        ProbeRoutine routine;
        bool completes;
    };
    const Case cases[] = {
        {"nothing", QstTestNothing, true},
        {"ud2", QstTestUndefinedInstruction, false},
        {"access violation", QstTestReadAddressZero, false},
        {"breakpoint", QstTestBreakpoint, false},
        {"nothing after faults", QstTestNothing, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RunGuardedProbe(c.routine), c.completes);
    }
}

TEST(RunGuardedProbe, KeepsTheCallersRegisters) {
    // The loop's values live in callee-saved registers across the faulting
    // calls, so a resumption that lost them would show here.
    int64_t sum = 0;
    for (int64_t i = 1; i <= 100; ++i) {
        EXPECT_FALSE(RunGuardedProbe(QstTestUndefinedInstruction));
        sum += i;
    }
    EXPECT_EQ(sum, 5050);
}

TEST(ProbeProcessorFeature, EveryX64ProcessorHasSseAndSse2) {
    EXPECT_TRUE(ProbeProcessorFeature(ProcessorFeature::Sse));
    EXPECT_TRUE(ProbeProcessorFeature(ProcessorFeature::Sse2));
}

TEST(ReadCpuid, Leaf0NamesTheVendor) {
    const CpuidRegisters leaf0 = ReadCpuid(0, 0);
    EXPECT_GE(leaf0.eax, 1u);
    // The vendor text is in EBX, EDX, ECX: "GenuineIntel", "AuthenticAMD", ...
    char vendor[13] = {};
    memcpy(vendor, &leaf0.ebx, 4);
    memcpy(vendor + 4, &leaf0.edx, 4);
    memcpy(vendor + 8, &leaf0.ecx, 4);
    EXPECT_EQ(strlen(vendor), 12u) << vendor;
}

}  // namespace
