#pragma once

#include "host/RunMode.h"
#include "host/SaverState.h"

#include <cstdint>

// Input is watched only by the full-screen saver, and not while a password
// check is in progress.
constexpr bool isWatched(RunMode mode, uint32_t passwordCheckActive) {
    return mode == RunMode::Saver && passwordCheckActive == 0;
}

// Mouse travel from the reference point beyond the threshold on either axis,
// compared strictly and signed. Computed in 64 bits so that no pair of
// coordinates can overflow.
constexpr bool mouseTravelEndsSaver(ScreenPoint reference, ScreenPoint cursor,
                                    int32_t mouseThreshold) {
    const int64_t dx = static_cast<int64_t>(cursor.x) - reference.x;
    const int64_t dy = static_cast<int64_t>(cursor.y) - reference.y;
    return (dx < 0 ? -dx : dx) > mouseThreshold || (dy < 0 ? -dy : dy) > mouseThreshold;
}

// The system's close command and its request to start a screen saver are
// swallowed by the full-screen saver; any other value, even one differing only
// in the low four bits, is not.
constexpr bool swallowsSystemCommand(RunMode mode, uintptr_t command) {
    return mode == RunMode::Saver && (command == 0xF140u || command == 0xF060u);
}

// Activation messages carry the new state in the low 16 bits; 0 means it was lost.
constexpr bool activationLost(uintptr_t wParam) {
    return (wParam & 0xFFFFu) == 0;
}
