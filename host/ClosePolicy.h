#pragma once

#include <cstdint>

enum class CloseDecision {
    Ignore,         // nobody asked to close, or a password check is running
    Destroy,        // within the grace delay: close at once
    AskForPassword, // after the grace delay
};

// What the full-screen saver does with a close message. Elapsed time and the
// limit are unsigned 32-bit values that wrap, so a tick counter that wrapped
// since the start still gives the right answer.
constexpr CloseDecision decideClose(uint32_t closeRequested, uint32_t passwordCheckActive,
                                    uint32_t nowTick, uint32_t startTick, uint32_t passwordDelay) {
    if (closeRequested == 0 || passwordCheckActive != 0) {
        return CloseDecision::Ignore;
    }
    const uint32_t elapsed = nowTick - startTick;
    const uint32_t limit = passwordDelay * 1000u;
    return elapsed <= limit ? CloseDecision::Destroy : CloseDecision::AskForPassword;
}
