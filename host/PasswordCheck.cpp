#include "host/PasswordCheck.h"

#include "host/LibraryFunction.h"
#include "host/ProcessState.h"
#include "host/ReferencePoint.h"
#include "host/SystemLibrary.h"

namespace {
using VerifyScreenSavePwdFunction = BOOL(WINAPI*)(HWND owner);

HWND stateWindow() {
    return static_cast<HWND>(saverState->window);
}
} // namespace

void requestClose() {
    saverState->closeRequested = 1;
    PostMessageA(stateWindow(), WM_CLOSE, 0, 0);
}

void beginPasswordCheck() {
    saverState->passwordCheckActive = 1;
    SendMessageA(stateWindow(), WM_SETCURSOR, 0, 0);
}

void endPasswordCheck() {
    saverState->passwordCheckActive = 0;
    SendMessageA(stateWindow(), WM_SETCURSOR, 0, 0);
    takeReferencePoint();
}

bool verifyPassword(HWND window) {
    if (!windows95Family()) {
        return true;
    }
    HMODULE library = LoadLibraryA("PASSWORD.CPL");
    if (library == nullptr) {
        return true;
    }
    const auto verify =
        libraryFunction<VerifyScreenSavePwdFunction>(library, "VerifyScreenSavePwd");
    if (verify == nullptr) {
        FreeLibrary(library);
        return true;
    }
    const bool accepted = verify(window) != 0;
    FreeLibrary(library);
    return accepted;
}
