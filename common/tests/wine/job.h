// Programs that tests start end with the test: they run in a job object that
// ends them and everything they start when its last handle closes, also when
// the test program dies.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <string>

// A job with JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE; null when it cannot be made.
UniqueKernelHandle CreateKillOnCloseJob();

// CreateProcessW into the job: the process starts suspended and is put in the
// job before any of its code runs, so every process it starts is in the job
// too. The caller resumes thread (after setting up what must watch it from
// the start). False, and nothing running, when it cannot be started or put in
// the job.
bool StartSuspendedInJob(HANDLE job, const std::wstring& program, std::wstring commandLine,
                         bool inheritHandles, DWORD creationFlags, const wchar_t* currentDirectory,
                         STARTUPINFOW& startup, UniqueKernelHandle& process,
                         UniqueKernelHandle& thread, DWORD& processId);
