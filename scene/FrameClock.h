#pragma once

#include <cstdint>

// The scene's time base and adaptive pacing toward a target frame rate.
struct FrameClock {
    float fpsEstimate = 50.0f;        // frames per second found by the last measurement
    float sceneTime = 0.0f;           // seconds since start, whole milliseconds
    float lastMeasurementTime = 0.0f; // scene time of the last measurement
    int32_t frameCount = 0;           // frames since the last measurement
    int32_t targetFrameRate = 30;     // frames per second
    int32_t sleepInterval = 41;       // milliseconds after each frame, kept in 1..1000
    bool measurementRestart = false;  // the next tick begins a new measurement

    // Starts the process-wide counter reference once per process.
    void startClock();
    // New scene time for this frame; about once a second, a rate measurement
    // that nudges the sleep interval by half the period difference.
    void tickClock();
    // After a pause in drawing (the display was off): scene time goes on, but
    // the next tick starts a new measurement instead of taking the dark
    // seconds for seconds with too few frames.
    void resumeAfterPause() { measurementRestart = true; }
};

// Process-wide: whether the clock started, and the counter's reference.
extern bool clockStarted;
extern int64_t counterFrequency;
extern int64_t startCount;

// Whole milliseconds between two counter readings, truncated, for any count
// difference the counter can produce (no intermediate overflow). A frequency
// of 0 or less gives 0: time stands still rather than dividing by zero.
int64_t elapsedMilliseconds(int64_t count, int64_t start, int64_t frequency);
