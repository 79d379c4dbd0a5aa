#pragma once

#include "host/RunMode.h"
#include "host/SaverState.h"

#include <windows.h>

class Scene;

// The host's process-wide state; one of each for the life of the process.
extern RunMode runMode;
extern HINSTANCE instanceHandle;
extern SaverState* saverState;
extern HWND saverWindow;
extern Scene* scene;
// The display is off: the frame loop draws nothing and waits for messages.
extern bool displayOff;
// The desk's monitors or their layout changed: the saver window is placed anew
// before the next frame.
extern bool desktopChanged;
