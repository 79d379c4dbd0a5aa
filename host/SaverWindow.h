#pragma once

#include <windows.h>

// Runs Preview or Saver mode: window, OpenGL context, the frame loop and teardown.
// Returns when the window has been destroyed, or at once when set-up fails.
void runSaverWindow(HWND parent, int showCommand);
