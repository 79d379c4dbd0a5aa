#include "scene/MonitorLayout.h"

#include <algorithm>

std::vector<Viewport> monitorViewports(const ScreenRectangle& virtualScreen,
                                       const std::vector<ScreenRectangle>& monitors) {
    std::vector<Viewport> viewports;
    for (const ScreenRectangle& monitor : monitors) {
        const int32_t left = std::max(monitor.left, virtualScreen.left);
        const int32_t top = std::max(monitor.top, virtualScreen.top);
        const int32_t right = std::min(monitor.right, virtualScreen.right);
        const int32_t bottom = std::min(monitor.bottom, virtualScreen.bottom);
        if (right <= left || bottom <= top) {
            continue;
        }
        // OpenGL counts rows from the bottom of the window.
        viewports.push_back(
            {left - virtualScreen.left, virtualScreen.bottom - bottom, right - left, bottom - top});
    }
    if (viewports.empty()) {
        viewports.push_back({0, 0, virtualScreen.right - virtualScreen.left,
                             virtualScreen.bottom - virtualScreen.top});
    }
    return viewports;
}
