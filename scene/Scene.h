#pragma once

#include "scene/FrameClock.h"

#include <cstdint>

// The rendering core, one per saver window. Needs a current OpenGL context for
// its whole life.
class Scene {
  public:
    Scene(int width, int height);
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Draws one frame into the back buffer; true means it is to be presented.
    bool renderFrame(uint32_t flags);

    // Milliseconds the host sleeps after each frame.
    int32_t sleepInterval() const { return clock.sleepInterval; }

    FrameClock clock;
};
