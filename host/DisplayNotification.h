#pragma once

#include <windows.h>

#include <cstdint>

// Being told when the display goes off, on or dim, where the system can tell
// (Vista and later; looked up at run time, so the program starts elsewhere).

// Asks that window be sent the console display state (Windows 8 and later) or,
// where that is refused, the monitor's power state (Vista, 7); none where
// neither can be had.
HPOWERNOTIFY registerDisplayNotification(HWND window);
void unregisterDisplayNotification(HPOWERNOTIFY registration);

// The display state that a WM_POWERBROADCAST with PBT_POWERSETTINGCHANGE
// carries, when its setting is one of those two and holds one.
bool readDisplayState(LPARAM setting, uint32_t& state);
