#include "host/SaverWindowProc.h"

#include "host/ProcessState.h"

namespace {

void recordCreation(HWND window) {
    saverState->window = window;
    POINT cursor{};
    GetCursorPos(&cursor);
    saverState->referencePoint = ScreenPoint{cursor.x, cursor.y};
    saverState->startTick = GetTickCount();
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
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
