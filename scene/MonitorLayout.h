#pragma once

#include "scene/Viewport.h"

#include <vector>

// A rectangle in screen coordinates: pixels from the primary monitor's upper
// left corner, rows running top down, right and bottom exclusive.
struct ScreenRectangle {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// The saver window covers the virtual screen; each monitor shows the part of
// it that it covers, as a viewport in the window's coordinates. Monitors are
// cut to the virtual screen, and one that lies wholly outside it is left
// out; with none left, the whole window is one viewport.
std::vector<Viewport> monitorViewports(const ScreenRectangle& virtualScreen,
                                       const std::vector<ScreenRectangle>& monitors);
