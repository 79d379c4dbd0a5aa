#pragma once

#include "scene/Viewport.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// A surface that changed: its size in pixels and a view for each monitor
// (none: the whole surface is one view).
struct SurfaceLayout {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Viewport> monitors;
};

// The one frame loop of every host. The host record supplies its platform:
//   bool handleEvents()          handles every queued event; false: the loop ends
//   bool windowsStillThere()     false: a window went away unannounced, the loop ends
//   bool displayOff()            while true nothing is drawn ...
//   void waitWhileDark()         ... and the host waits for an event, a while at most
//   bool layoutChanged(SurfaceLayout&)  the surface's new layout, when it changed
//   uint32_t frameFlags()
//   void present()               shows the frame just drawn
//   void sleep(int64_t microseconds)
//   int64_t delayMicroseconds()  the least time between frames asked for (0: none)
// The picture (the Scene, or a stand-in) draws and paces the frames.
template <typename Host, typename Picture> void runFrameLoop(Host& host, Picture& picture) {
    bool paused = false;
    while (host.handleEvents() && host.windowsStillThere()) {
        if (host.displayOff()) {
            paused = true;
            host.waitWhileDark();
            continue;
        }
        if (paused) {
            paused = false;
            picture.resumeAfterPause();
        }
        SurfaceLayout layout;
        if (host.layoutChanged(layout)) {
            picture.resize(layout.width, layout.height, layout.monitors);
        }
        if (picture.renderFrame(host.frameFlags())) {
            host.present();
        }
        host.sleep(std::max(int64_t{picture.sleepInterval()} * 1000, host.delayMicroseconds()));
    }
}
