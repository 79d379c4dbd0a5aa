#pragma once

#include <windows.h>

// Posts a close request to the saver window and remembers that input asked for it.
void requestClose();

// Shows the arrow cursor and stops the input watch while the password dialog runs.
void beginPasswordCheck();

// Hides the cursor again and measures mouse travel afresh from where it is now.
void endPasswordCheck();

// Asks the Windows 95-family password dialog, owned by window; true lets the
// close proceed. Every path without a usable password facility answers true.
bool verifyPassword(HWND window);
