#pragma once

#include "scene/Scene.h"

#include <cstdint>

// The benchmarks' scene: a clock the program sets, one mirror set kept for
// the whole run, and the same seeded signs every time, rather than those of
// the seed the scene takes from the calendar time (a frame's cost depends on
// where they are).
constexpr int64_t microsecondsPerFrame = 33333;

// Starts the process-wide clock and transition afresh, the counter at 0.
void resetBenchmarkClock();
// Keeps mirror set `set` and places the seeded signs.
void prepareBenchmarkScene(Scene& scene, int32_t set);
