#pragma once

#include <cstdint>

// The high-resolution counter of the native programs (tests, benchmarks, tools):
// values the program sets, so that scene time is what it chooses.
extern int64_t controlledCounterFrequency;
extern int64_t controlledCounterValue;
