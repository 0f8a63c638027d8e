#include "engine/base/usable_cores.h"

#include <algorithm>
#include <thread>

#ifdef __linux__
#include <sched.h>
#endif

unsigned UsableCores() {
#ifdef __linux__
    // hardware_concurrency counts the machine's cores even for a process held to one of them.
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (sched_getaffinity(0, sizeof cores, &cores) == 0)
        return static_cast<unsigned>(std::max(1, CPU_COUNT(&cores)));
#endif
    return std::max(1u, std::thread::hardware_concurrency());
}
