#pragma once

#include <windows.h>

// What the saver asks of its window's pixel format: double-buffered RGBA and
// 8 stencil bits, in which the scene settles the pixels on wedge edges.
PIXELFORMATDESCRIPTOR pixelFormatRequest();
