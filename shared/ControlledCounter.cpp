#include "shared/ControlledCounter.h"

#include "scene/PerformanceCounter.h"

int64_t controlledCounterFrequency = 1000000;
int64_t controlledCounterValue = 0;

int64_t readCounterFrequency() {
    return controlledCounterFrequency;
}

int64_t readCounter() {
    return controlledCounterValue;
}
