#pragma once

#include <cstdint>

// The high-resolution counter as native tests see it: values the test sets.
extern int64_t testCounterFrequency;
extern int64_t testCounterValue;
