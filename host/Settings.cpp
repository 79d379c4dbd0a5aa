#include "host/Settings.h"

#include <windows.h>

namespace {

const char commonKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const char ownKey[] = "Software\\Orv\\Drowsel";
const char useMirrorsValue[] = "UseMirrors";

// Reads a 4-byte value whatever its registry type; only a successful query
// replaces what target holds.
template <typename Value> void queryFourBytes(HKEY key, const char* name, Value& target) {
    static_assert(sizeof(Value) == 4, "settings are 32-bit values");
    Value value{};
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) ==
        ERROR_SUCCESS) {
        target = value;
    }
}

} // namespace

// The defaults are SaverState's own start values.
void loadSystemSaverSettings(SaverState* state) {
    const SaverState defaults;
    state->passwordDelay = defaults.passwordDelay;
    state->mouseThreshold = defaults.mouseThreshold;
    state->passwordCheckActive = defaults.passwordCheckActive;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, commonKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    queryFourBytes(key, "Password Delay", state->passwordDelay);
    queryFourBytes(key, "Mouse Threshold", state->mouseThreshold);
    RegCloseKey(key);
}

void loadOwnSettings(SaverState* state) {
    state->useMirrors = SaverState{}.useMirrors;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, ownKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return;
    }
    queryFourBytes(key, useMirrorsValue, state->useMirrors);
    RegCloseKey(key);
}

void saveOwnSettings(const SaverState* state) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ownKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const DWORD value = state->useMirrors;
    RegSetValueExA(key, useMirrorsValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(key);
}
