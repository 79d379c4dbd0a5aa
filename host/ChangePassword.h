#pragma once

#include <windows.h>

// Opens the Windows 95-family dialog for changing the screen-saver password,
// owned by parent. Does nothing where the system has no such dialog.
void changePassword(HWND parent);
