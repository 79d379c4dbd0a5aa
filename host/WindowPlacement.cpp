#include "host/WindowPlacement.h"

#include "scene/MonitorLayout.h"

#include <algorithm>

namespace {

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT area, LPARAM monitors) {
    reinterpret_cast<std::vector<ScreenRectangle>*>(monitors)->push_back(
        {area->left, area->top, area->right, area->bottom});
    return TRUE;
}

bool sameViews(const std::vector<Viewport>& a, const std::vector<Viewport>& b) {
    return std::equal(
        a.begin(), a.end(), b.begin(), b.end(), [](const Viewport& p, const Viewport& q) {
            return p.x == q.x && p.y == q.y && p.width == q.width && p.height == q.height;
        });
}

} // namespace

WindowPlacement placementFor(RunMode mode, HWND parent) {
    if (mode == RunMode::Preview) {
        RECT outer{};
        GetWindowRect(parent, &outer);
        const int width = outer.right - outer.left, height = outer.bottom - outer.top;
        return {WS_CHILD | WS_VISIBLE, parent, 0, 0, width, height, {{0, 0, width, height}}};
    }
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    std::vector<ScreenRectangle> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return {WS_POPUP | WS_VISIBLE,
            nullptr,
            x,
            y,
            width,
            height,
            monitorViewports({x, y, x + width, y + height}, monitors)};
}

bool placementDiffers(const WindowPlacement& before, const WindowPlacement& after) {
    return before.x != after.x || before.y != after.y || before.width != after.width ||
           before.height != after.height || !sameViews(before.viewports, after.viewports);
}
