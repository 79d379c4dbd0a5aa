#include "scene/FrameClock.h"

#include "scene/PerformanceCounter.h"

#include <cstdint>

bool clockStarted = false;
int64_t counterFrequency = 0;
int64_t startCount = 0;

int64_t elapsedMilliseconds(int64_t count, int64_t start, int64_t frequency) {
    if (frequency <= 0) {
        return 0;
    }
    const int64_t difference = count - start;
    // (difference * 1000) / frequency, split so the product cannot overflow.
    return (difference / frequency) * 1000 + ((difference % frequency) * 1000) / frequency;
}

void FrameClock::startClock() {
    if (clockStarted) {
        return;
    }
    clockStarted = true;
    counterFrequency = readCounterFrequency();
    startCount = readCounter();
    frameCount = 0;
    fpsEstimate = 50.0f;
    sceneTime = 0.0f;
    lastMeasurementTime = 0.0f;
}

void FrameClock::tickClock() {
    const int64_t milliseconds = elapsedMilliseconds(readCounter(), startCount, counterFrequency);
    const double exactTime = static_cast<double>(milliseconds) * static_cast<double>(0.001f);
    sceneTime = static_cast<float>(exactTime);
    if (measurementRestart) {
        measurementRestart = false;
        lastMeasurementTime = sceneTime;
        frameCount = 0;
        return;
    }
    const double elapsed = exactTime - lastMeasurementTime;
    if (elapsed < 1.0) {
        if (frameCount < INT32_MAX) { // a counter that never advances must not overflow it
            ++frameCount;
        }
        return;
    }
    const int32_t previousEstimate = static_cast<int32_t>(fpsEstimate);
    fpsEstimate = static_cast<float>(frameCount / elapsed);
    frameCount = 0;
    lastMeasurementTime = sceneTime;
    if (previousEstimate > 0) {
        sleepInterval += ((1000 / targetFrameRate) - (1000 / previousEstimate)) / 2;
    }
    if (sleepInterval < 1) {
        sleepInterval = 1;
    } else if (sleepInterval > 1000) {
        sleepInterval = 1000;
    }
}
