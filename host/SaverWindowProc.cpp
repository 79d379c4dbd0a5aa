#include "host/SaverWindowProc.h"

#include "host/ClosePolicy.h"
#include "host/DisplayNotification.h"
#include "host/DisplayPower.h"
#include "host/InputWatch.h"
#include "host/PasswordCheck.h"
#include "host/ProcessState.h"
#include "host/ReferencePoint.h"

namespace {

ScreenPoint cursorPosition() {
    POINT cursor{};
    GetCursorPos(&cursor);
    return ScreenPoint{cursor.x, cursor.y};
}

void recordCreation(HWND window) {
    saverState->window = window;
    takeReferencePoint();
    saverState->startTick = GetTickCount();
}

// Travel that the desk's own change made is no reason to close.
void watchMouse() {
    if (!mouseTravelEndsSaver(saverState->referencePoint, cursorPosition(),
                              saverState->mouseThreshold)) {
        return;
    }
    if (travelMadeByDesk(deskChangedSinceReference(), saverState->deskChanged, GetTickCount(),
                         saverState->deskChangeTick)) {
        takeReferencePoint();
    } else {
        requestClose();
    }
}

void recordDeskChange() {
    desktopChanged = true;
    saverState->deskChanged = 1;
    saverState->deskChangeTick = GetTickCount();
    takeReferencePoint();
}

bool watched() {
    return isWatched(runMode, saverState->passwordCheckActive);
}

void applyClosePolicy(HWND window) {
    switch (decideClose(saverState->closeRequested, saverState->passwordCheckActive, GetTickCount(),
                        saverState->startTick, saverState->passwordDelay)) {
    case CloseDecision::Ignore:
        return;
    case CloseDecision::Destroy:
        DestroyWindow(window);
        return;
    case CloseDecision::AskForPassword: {
        beginPasswordCheck();
        const bool accepted = verifyPassword(window);
        endPasswordCheck();
        if (accepted) {
            DestroyWindow(window);
        }
        return;
    }
    }
}

} // namespace

LRESULT CALLBACK saverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        recordCreation(window);
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        if (watched() && activationLost(wParam)) {
            requestClose();
        }
        break;
    case WM_CLOSE:
        if (runMode == RunMode::Saver) {
            applyClosePolicy(window);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        SetCursor(watched() ? nullptr : LoadCursorA(nullptr, IDC_ARROW));
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (watched()) {
            requestClose();
        }
        break;
    case WM_SYSCOMMAND:
        if (swallowsSystemCommand(runMode, wParam)) {
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (watched()) {
            watchMouse();
        }
        break;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
        // The monitors or their layout changed: the frame loop places the window
        // anew, and travel counts from where the system leaves the cursor.
        recordDeskChange();
        break;
    case WM_POWERBROADCAST: {
        uint32_t state = 0;
        if (wParam == PBT_POWERSETTINGCHANGE && readDisplayState(lParam, state)) {
            displayOff = displayIsOff(state);
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
