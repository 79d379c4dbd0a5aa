// Stand-in for MPR.DLL's Windows 95-family password change, loaded in place of
// Wine's own through WINEDLLOVERRIDES. Records its arguments under
// HKCU\Software\DrowselTest: "Provider" (text), "Owner", "Third", "Fourth".
#include <windows.h>

#include <cstring>

namespace {
void record(HKEY key, const char* name, DWORD value) {
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
} // namespace

extern "C" __declspec(dllexport) DWORD WINAPI
    PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD third, LPVOID fourth) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\DrowselTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    const char* text = provider != nullptr ? provider : "";
    RegSetValueExA(key, "Provider", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text) + 1));
    record(key, "Owner", static_cast<DWORD>(reinterpret_cast<uintptr_t>(owner)));
    record(key, "Third", third);
    record(key, "Fourth", static_cast<DWORD>(reinterpret_cast<uintptr_t>(fourth)));
    RegCloseKey(key);
    return 0;
}
