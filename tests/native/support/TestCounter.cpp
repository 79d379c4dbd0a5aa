#include "tests/native/support/TestCounter.h"

#include "scene/PerformanceCounter.h"

int64_t testCounterFrequency = 1000000;
int64_t testCounterValue = 0;

int64_t readCounterFrequency() {
    return testCounterFrequency;
}

int64_t readCounter() {
    return testCounterValue;
}
