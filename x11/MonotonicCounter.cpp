#include "scene/PerformanceCounter.h"

#include <ctime>

// The hack's counter: the monotonic clock in nanoseconds.
int64_t readCounterFrequency() {
    return 1000000000;
}

int64_t readCounter() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
