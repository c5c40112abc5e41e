#pragma once

#include <time.h>

namespace tarvelo::bench {

// CPU time of this thread: the machine is shared, and wall time would count the others' work too.
inline double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

} // namespace tarvelo::bench
