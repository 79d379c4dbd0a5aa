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

// How long after the desk changed a move of the cursor is taken for the system's.
constexpr uint32_t deskSettleMilliseconds = 1000;

// The system moves the cursor itself when the desk changes (a monitor goes
// away under it, a smaller mode clamps it), before or after it tells the
// windows. Travel beyond the threshold is then not the user's: when the desk
// is another than the one the reference point was taken on (the change not yet
// told), or it was told at most deskSettleMilliseconds ago. Ticks wrap.
constexpr bool travelMadeByDesk(bool deskDiffers, uint32_t deskChanged, uint32_t nowTick,
                                uint32_t deskChangeTick) {
    return deskDiffers || (deskChanged != 0 && nowTick - deskChangeTick <= deskSettleMilliseconds);
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
