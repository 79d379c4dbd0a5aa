#pragma once

#include "host/RunMode.h"

#include <cstdint>

// The result of scanning the screen saver's command line.
struct CommandLine {
    RunMode mode = RunMode::None;
    // The window number given after the switch, as a 32-bit value; 0 means none.
    uint32_t parentHandle = 0;
    // "/c" with nothing after it: the owner is the current foreground window,
    // which only the platform layer can look up.
    bool parentIsForegroundWindow = false;
};

// Scans the full command line, program name included. Never reads past the
// terminating zero; a null text is taken as an empty one.
CommandLine parseCommandLine(const char* text);
