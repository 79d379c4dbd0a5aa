#pragma once

#include <windows.h>

// Libraries that are not KnownDLLs (OpenGL, GLU, MPR) come from the system
// folder only: a saver is often started from a download folder, where anyone
// may have left a DLL of the same name.

// Whether this is a system of the Windows 95 family.
bool windows95Family();

// Makes the system folder the only place the process loads libraries from by
// name. Called first of all; does nothing where the system cannot (Windows 7
// without its 2011 update, the Windows 95 family).
void restrictLibrarySearch();

// Loads the named library from the system folder and nowhere else; none when
// it is not there.
HMODULE loadSystemLibrary(const char* name);
