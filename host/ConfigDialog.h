#pragma once

#include <windows.h>

// Dialog procedure of the configuration dialog (resource 104).
INT_PTR CALLBACK configDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
