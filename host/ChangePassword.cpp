#include "host/ChangePassword.h"

#include "host/SystemLibrary.h"

namespace {
using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD, LPVOID);
}

void changePassword(HWND parent) {
    HMODULE library = loadSystemLibrary("MPR.DLL");
    if (library == nullptr) {
        return;
    }
    auto function = reinterpret_cast<PwdChangePasswordFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "PwdChangePasswordA")));
    if (function != nullptr) {
        function("SCRSAVE", parent, 0, nullptr);
    }
    FreeLibrary(library);
}
