#include "host/ProcessState.h"

RunMode runMode = RunMode::None;
HINSTANCE instanceHandle = nullptr;
SaverState* saverState = nullptr;
HWND saverWindow = nullptr;
Scene* scene = nullptr;
bool displayOff = false;
bool desktopChanged = false;
