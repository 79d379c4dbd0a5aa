#pragma once

// OpenGL 1.1 and GLU. On Windows the headers need the platform's calling
// convention macros, which windows.h defines.
#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
