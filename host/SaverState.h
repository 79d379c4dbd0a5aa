#pragma once

#include "scene/MonitorLayout.h"

#include <cstdint>

// A window handle kept as an opaque pointer so that this record is platform-free.
using WindowHandle = void*;

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// The record through which the host shares settings and the state of the input watch.
// The member initialisers are the start values that hold before any setting is read.
struct SaverState {
    WindowHandle window = nullptr;
    uint32_t passwordDelay = 15;   // seconds of grace after start
    int32_t mouseThreshold = 50;   // pixels of travel on one axis
    ScreenPoint referencePoint;    // cursor position travel is measured from
    ScreenRectangle referenceDesk; // the virtual screen when that point was taken
    uint32_t deskChanged = 0;      // 1 once the system told of a new desk
    uint32_t deskChangeTick = 0;   // system tick count (ms) when it last did
    uint32_t startTick = 0;        // system tick count (ms) when the window was created
    uint32_t passwordCheckActive = 0;
    uint32_t closeRequested = 0;
    uint32_t useMirrors = 1; // 0 = off, anything else = on
};
