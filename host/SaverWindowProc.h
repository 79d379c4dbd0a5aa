#pragma once

#include <windows.h>

// Window procedure of the saver window (class "OpenGL").
LRESULT CALLBACK saverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
