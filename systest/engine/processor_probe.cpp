#include "systest/engine/processor_probe.h"

#include "common/win/handles.h"

#include <cpuid.h>

#include <atomic>

// The probe routines. xmm0 is a volatile register of both calling conventions
// (x64, and 32-bit cdecl), so they may clobber it. Their assembler names are
// given outright: 32-bit C names would otherwise carry a leading underscore.
extern "C" void QstProbeSse() __asm__("qst_probe_sse");
extern "C" void QstProbeSse2() __asm__("qst_probe_sse2");
asm(R"(
    .text
    .p2align 4
qst_probe_sse:
    xorps %xmm0, %xmm0
    ret
    .p2align 4
qst_probe_sse2:
    xorpd %xmm0, %xmm0
    ret
)");

namespace {

struct VectoredHandlerTraits {
    using Handle = PVOID;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handler) { RemoveVectoredExceptionHandler(handler); }
};
using UniqueVectoredHandler = UniqueHandle<VectoredHandlerTraits>;

// Ahead of every other vectored handler.
constexpr ULONG kCallFirst = 1;

// The thread that runs a probe routine, 0 while none does. The handler is
// called for exceptions of every thread, so it compares.
std::atomic<DWORD> g_probeThread{0};
// Set by the handler; only the probe's own thread touches it.
bool g_probeFaulted = false;

LONG CALLBACK ResumeAfterProbeFault(EXCEPTION_POINTERS* exception) {
    if (g_probeThread.load() != GetCurrentThreadId()) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    g_probeFaulted = true;
    // The routine has no frame, so its return address is at the top of the
    // stack: resume there, as its own ret would have.
    CONTEXT* context = exception->ContextRecord;
#if defined(__x86_64__)
    context->Rip = *reinterpret_cast<const DWORD64*>(context->Rsp);
    context->Rsp += sizeof(DWORD64);
#elif defined(__i386__)
    context->Eip = *reinterpret_cast<const DWORD*>(context->Esp);
    context->Esp += sizeof(DWORD);
#else
#error "the probe resumes x86 and x86-64 code only"
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

bool RunGuardedProbe(ProbeRoutine routine) {
    const UniqueVectoredHandler handler(
        AddVectoredExceptionHandler(kCallFirst, ResumeAfterProbeFault));
    if (!handler) {
        return false;  // unguarded, a missing instruction would end the program
    }
    g_probeFaulted = false;
    g_probeThread.store(GetCurrentThreadId());
    routine();
    g_probeThread.store(0);
    return !g_probeFaulted;
}

bool ProbeProcessorFeature(ProcessorFeature feature) {
    return RunGuardedProbe(feature == ProcessorFeature::Sse ? QstProbeSse : QstProbeSse2);
}

CpuidRegisters ReadCpuid(uint32_t leaf, uint32_t subleaf) {
    CpuidRegisters registers;
    __cpuid_count(leaf, subleaf, registers.eax, registers.ebx, registers.ecx, registers.edx);
    return registers;
}
