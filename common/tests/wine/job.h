// Programs that tests start end with the test: they run in a job object that
// ends them and everything they start when its last handle closes, also when
// the test program dies.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <string>

// A job with JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE; null when it cannot be made.
UniqueKernelHandle CreateKillOnCloseJob();

// CreateProcessW, suspended until the process is in the job, so that every
// process it starts is in the job too. The process handle is returned in
// process; false (and nothing running) when it cannot be started or put in
// the job.
bool StartInJob(HANDLE job, const std::wstring& program, std::wstring commandLine,
                bool inheritHandles, DWORD creationFlags, const wchar_t* currentDirectory,
                STARTUPINFOW& startup, UniqueKernelHandle& process, DWORD& processId);
