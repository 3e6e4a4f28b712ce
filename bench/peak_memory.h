// The peak resident memory of the running process, for the start-up comparisons.
#pragma once

#include <cstdio>

// The high-water mark of this process's own memory; getrusage would count the parent's from
// before the exec.
inline long peakResidentKb()
{
    FILE *status = std::fopen("/proc/self/status", "r");
    long kb = 0;
    char line[256];
    while (status && std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1)
            break;
    if (status)
        std::fclose(status);
    return kb;
}
