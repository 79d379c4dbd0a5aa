#pragma once

#include <cstdint>

// A rectangle of the drawing surface in OpenGL's window coordinates: pixels
// from the lower left corner, rows running bottom up.
struct Viewport {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};
