#include "host/SaverWindow.h"

#include "host/DisplayNotification.h"
#include "host/FrameFlags.h"
#include "host/OpenGLLibrary.h"
#include "host/PixelFormat.h"
#include "host/ProcessState.h"
#include "host/SaverWindowProc.h"
#include "scene/MonitorLayout.h"
#include "scene/Scene.h"

#include <vector>

static_assert(mirrorsFrameFlag == Scene::mirrorFlag, "the host and the scene read one bit");

namespace {

const char windowClassName[] = "OpenGL";
const char windowTitle[] = "SaverWindow";

struct WindowPlacement {
    DWORD style;
    HWND parent;
    int x;
    int y;
    int width;
    int height;
    std::vector<Viewport> viewports; // one a monitor, in the window's coordinates
};

void showSetupError(const char* text) {
    MessageBoxA(nullptr, text, "Error", MB_OK);
}

bool registerWindowClass() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = saverWindowProc;
    windowClass.hInstance = instanceHandle;
    windowClass.lpszClassName = windowClassName;
    return RegisterClassA(&windowClass) != 0;
}

BOOL CALLBACK addMonitor(HMONITOR, HDC, LPRECT area, LPARAM monitors) {
    reinterpret_cast<std::vector<ScreenRectangle>*>(monitors)->push_back(
        {area->left, area->top, area->right, area->bottom});
    return TRUE;
}

// The preview fills its parent's outer rectangle; the saver covers every
// monitor. Both are taken once: nothing reacts to later changes.
WindowPlacement placementFor(RunMode mode, HWND parent) {
    if (mode == RunMode::Preview) {
        RECT outer{};
        GetWindowRect(parent, &outer);
        const int width = outer.right - outer.left, height = outer.bottom - outer.top;
        return {WS_CHILD | WS_VISIBLE, parent, 0, 0, width, height, {{0, 0, width, height}}};
    }
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    std::vector<ScreenRectangle> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return {WS_POPUP | WS_VISIBLE,
            nullptr,
            x,
            y,
            width,
            height,
            monitorViewports({x, y, x + width, y + height}, monitors)};
}

void setScreenSaverRunning(bool running) {
    BOOL previous = FALSE;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

bool applyPixelFormat(HDC deviceContext) {
    const PIXELFORMATDESCRIPTOR request = pixelFormatRequest();
    const int format = ChoosePixelFormat(deviceContext, &request);
    if (format == 0) {
        showSetupError("ChoosePixelFormat() failed:  Cannot find a suitable pixel format.");
        return false;
    }
    if (!SetPixelFormat(deviceContext, format, &request)) {
        showSetupError("SetPixelFormat() failed:  Cannot set format specified.");
        return false;
    }
    return true;
}

// A window that is gone without a WM_DESTROY to us (the settings page that
// held the preview crashed or was killed) ends the loop as a quit would.
bool windowsStillThere(HWND parent) {
    return IsWindow(saverWindow) && (parent == nullptr || IsWindow(parent));
}

// While the display is off nothing is drawn: the loop waits for a message,
// and at least once a second looks whether its windows are still there.
constexpr DWORD darkWaitMilliseconds = 1000;

// Every queued message is handled before a frame is drawn; each frame is
// followed by exactly one sleep of the scene's current interval.
void runFrameLoop(HDC deviceContext, HWND parent) {
    MSG message;
    bool paused = false;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        if (!windowsStillThere(parent)) {
            return;
        }
        if (displayOff) {
            paused = true;
            MsgWaitForMultipleObjectsEx(0, nullptr, darkWaitMilliseconds, QS_ALLINPUT,
                                        MWMO_INPUTAVAILABLE);
            continue;
        }
        if (paused) {
            paused = false;
            scene->resumeAfterPause();
        }
        if (scene->renderFrame(frameFlags(saverState->useMirrors))) {
            SwapBuffers(deviceContext);
        }
        Sleep(static_cast<DWORD>(scene->sleepInterval()));
    }
}

} // namespace

void runSaverWindow(HWND parent, int showCommand) {
    if (!registerWindowClass()) {
        showSetupError("RegisterClass() failed:  Cannot register window class.");
        return;
    }
    // Before the window: a message shown over the full-screen window would take
    // its activation, which closes the saver and, with it, the message.
    if (!loadOpenGL()) {
        showSetupError("LoadLibrary() failed:  Cannot load OpenGL.");
        return;
    }
    const bool saverMode = runMode == RunMode::Saver;
    const WindowPlacement placement = placementFor(runMode, parent);
    saverWindow = CreateWindowExA(0, windowClassName, windowTitle, placement.style, placement.x,
                                  placement.y, placement.width, placement.height, placement.parent,
                                  nullptr, instanceHandle, nullptr);
    if (saverWindow == nullptr) {
        return;
    }
    if (saverMode) {
        setScreenSaverRunning(true);
    }
    HDC deviceContext = GetDC(saverWindow);
    if (!applyPixelFormat(deviceContext)) {
        // A saver that has given up must not leave the system believing it still runs.
        if (saverMode) {
            setScreenSaverRunning(false);
        }
        return;
    }
    HGLRC renderingContext = wglCreateContext(deviceContext);
    wglMakeCurrent(deviceContext, renderingContext);
    scene = new Scene(placement.width, placement.height, placement.viewports);
    ShowWindow(saverWindow, showCommand);

    const HPOWERNOTIFY displayNotification = registerDisplayNotification(saverWindow);

    runFrameLoop(deviceContext, placement.parent);

    unregisterDisplayNotification(displayNotification);
    delete scene;
    scene = nullptr;
    wglMakeCurrent(nullptr, nullptr);
    ReleaseDC(saverWindow, deviceContext);
    wglDeleteContext(renderingContext);
    if (saverMode) {
        setScreenSaverRunning(false);
    }
}
