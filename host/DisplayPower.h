#pragma once

#include <cstdint>

// The display's state as Windows reports it: for the console display (Windows
// 8 and later) 0 off, 1 on, 2 dimmed; for the monitor's power (Vista, 7) 0 off
// and 1 on. Frames are drawn unless the display is off: a dimmed display is
// still seen, and a state not known keeps the saver drawing as it always has.
constexpr uint32_t displayOffState = 0;

constexpr bool displayIsOff(uint32_t state) {
    return state == displayOffState;
}
