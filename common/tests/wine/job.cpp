#include "common/tests/wine/job.h"

namespace {

constexpr UINT kNotInJobExitCode = 255;

}  // namespace

UniqueKernelHandle CreateKillOnCloseJob() {
    UniqueKernelHandle job(CreateJobObjectW(nullptr, nullptr));
    if (!job.valid()) {
        return job;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                 sizeof limits)) {
        job.reset();
    }
    return job;
}

bool StartSuspendedInJob(HANDLE job, const std::wstring& program, std::wstring commandLine,
                         bool inheritHandles, DWORD creationFlags, const wchar_t* currentDirectory,
                         STARTUPINFOW& startup, UniqueKernelHandle& process,
                         UniqueKernelHandle& thread, DWORD& processId) {
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                        inheritHandles ? TRUE : FALSE, creationFlags | CREATE_SUSPENDED, nullptr,
                        currentDirectory, &startup, &info)) {
        return false;
    }
    thread.reset(info.hThread);
    process.reset(info.hProcess);
    processId = info.dwProcessId;
    if (!AssignProcessToJobObject(job, process.get())) {
        TerminateProcess(process.get(), kNotInJobExitCode);
        thread.reset();
        process.reset();
        return false;
    }
    return true;
}
