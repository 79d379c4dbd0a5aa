// Stand-in for the Windows 95-family PASSWORD.CPL, placed beside the saver in
// tests. Answers from HKCU\Software\DrowselTest "Answer" (0 refuses) and counts
// its calls in "Calls" and the owner window in "Owner", so a test can tell whether and how often it
// was asked.
#include <windows.h>

namespace {
const char testKey[] = "Software\\DrowselTest";

DWORD readValue(HKEY key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return value;
}
} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND owner) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, testKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return FALSE;
    }
    const DWORD answer = readValue(key, "Answer");
    const DWORD calls = readValue(key, "Calls") + 1;
    RegSetValueExA(key, "Calls", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&calls), sizeof calls);
    const DWORD ownerNumber = static_cast<DWORD>(reinterpret_cast<uintptr_t>(owner));
    RegSetValueExA(key, "Owner", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&ownerNumber),
                   sizeof ownerNumber);
    RegCloseKey(key);
    return answer != 0;
}
