#pragma once

#include "host/RunMode.h"
#include "scene/Viewport.h"

#include <windows.h>

#include <vector>

// Where the saver window stands and what each monitor shows of it.
struct WindowPlacement {
    DWORD style = 0;
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::vector<Viewport> viewports; // one a monitor, in the window's coordinates
};

// The preview fills its parent's outer rectangle; the saver covers every
// monitor of the desk as it is now.
WindowPlacement placementFor(RunMode mode, HWND parent);

// Whether a window placed at before must move or change its views to stand at after.
bool placementDiffers(const WindowPlacement& before, const WindowPlacement& after);
