#pragma once

#include <time.h>

// The processor time this process has used, in microseconds: the figure a busy machine disturbs
// least, unlike the time on the clock.
inline double CpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}
