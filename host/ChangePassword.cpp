#include "host/ChangePassword.h"

#include "host/LibraryFunction.h"
#include "host/SystemLibrary.h"

namespace {
using PwdChangePasswordFunction = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD, LPVOID);
}

void changePassword(HWND parent) {
    HMODULE library = loadSystemLibrary("MPR.DLL");
    if (library == nullptr) {
        return;
    }
    const auto function = libraryFunction<PwdChangePasswordFunction>(library, "PwdChangePasswordA");
    if (function != nullptr) {
        function("SCRSAVE", parent, 0, nullptr);
    }
    FreeLibrary(library);
}
