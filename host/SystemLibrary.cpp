#include "host/SystemLibrary.h"

#include "host/LibraryFunction.h"

#include <cstring>

namespace {
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD flags);

template <typename Function = FARPROC> Function kernelFunction(const char* name) {
    return libraryFunction<Function>(GetModuleHandleA("kernel32.dll"), name);
}

// The LOAD_LIBRARY_SEARCH_ flags are understood wherever AddDllDirectory exists.
bool searchFlagsSupported() {
    return kernelFunction("AddDllDirectory") != nullptr;
}
} // namespace

bool windows95Family() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    GetVersionExA(&version);
    return version.dwPlatformId != VER_PLATFORM_WIN32_NT;
}

// The Windows 95 family has no such protection; there its password control
// panel is still found the way the system finds it.
void restrictLibrarySearch() {
    if (windows95Family()) {
        return;
    }
    const auto setDefaultDllDirectories =
        kernelFunction<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
    if (setDefaultDllDirectories != nullptr) {
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

HMODULE loadSystemLibrary(const char* name) {
    if (searchFlagsSupported()) {
        return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + std::strlen(name) >= MAX_PATH) {
        return nullptr;
    }
    path[length] = '\\';
    std::strcpy(path + length + 1, name);
    return LoadLibraryA(path);
}
