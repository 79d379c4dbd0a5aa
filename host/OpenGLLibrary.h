#pragma once

// The program imports no OpenGL or GLU at start: this loads both from the
// system folder and binds every entry point the program calls. Call before
// anything that reaches OpenGL, ChoosePixelFormat included; false when either
// library, or any function of them, cannot be had.
bool loadOpenGL();
