#pragma once

#include <windows.h>

// A function of a loaded library, bound at run time, as the type it has; null
// where the library lacks it. GetProcAddress hands out a FARPROC, which goes
// through void* to the real type.
template <typename Function> Function libraryFunction(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
