// A Windows version as GetVersionExW reports it: 5.1 XP, 5.2 XP x64 and
// Server 2003, 6.0 Vista, 6.1 7, 6.2 8 and every later one to a program whose
// manifest declares none of them.
#pragma once

struct WindowsVersion {
    unsigned major = 0;
    unsigned minor = 0;
};
