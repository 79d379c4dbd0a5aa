#include "host/DisplayNotification.h"

#include "host/LibraryFunction.h"

#include <cstring>

namespace {
using RegisterFunction = HPOWERNOTIFY(WINAPI*)(HANDLE recipient, LPCGUID setting, DWORD flags);
using UnregisterFunction = BOOL(WINAPI*)(HPOWERNOTIFY registration);

// GUID_CONSOLE_DISPLAY_STATE and GUID_MONITOR_POWER_ON, spelt out: the
// toolchain's headers declare them without defining them.
constexpr GUID consoleDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID monitorPowerOn = {
    0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

template <typename Function> Function userFunction(const char* name) {
    return libraryFunction<Function>(GetModuleHandleA("user32.dll"), name);
}

bool sameGuid(const GUID& a, const GUID& b) {
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}
} // namespace

HPOWERNOTIFY registerDisplayNotification(HWND window) {
    const auto registerNotification =
        userFunction<RegisterFunction>("RegisterPowerSettingNotification");
    if (registerNotification == nullptr) {
        return nullptr;
    }
    HPOWERNOTIFY registration =
        registerNotification(window, &consoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (registration == nullptr) {
        registration = registerNotification(window, &monitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    return registration;
}

void unregisterDisplayNotification(HPOWERNOTIFY registration) {
    const auto unregisterNotification =
        userFunction<UnregisterFunction>("UnregisterPowerSettingNotification");
    if (registration != nullptr && unregisterNotification != nullptr) {
        unregisterNotification(registration);
    }
}

bool readDisplayState(LPARAM setting, uint32_t& state) {
    const auto* broadcast = reinterpret_cast<const POWERBROADCAST_SETTING*>(setting);
    if (broadcast == nullptr || broadcast->DataLength < sizeof(uint32_t) ||
        !(sameGuid(broadcast->PowerSetting, consoleDisplayState) ||
          sameGuid(broadcast->PowerSetting, monitorPowerOn))) {
        return false;
    }
    std::memcpy(&state, broadcast->Data, sizeof(uint32_t));
    return true;
}
