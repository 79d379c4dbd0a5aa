#include "host/SaverWindow.h"

#include "host/DisplayNotification.h"
#include "host/FrameFlags.h"
#include "host/OpenGLLibrary.h"
#include "host/PixelFormat.h"
#include "host/ProcessState.h"
#include "host/SaverWindowProc.h"
#include "host/WindowPlacement.h"
#include "scene/FrameLoop.h"
#include "scene/Scene.h"

#include <utility>

static_assert(mirrorsFrameFlag == Scene::mirrorFlag, "the host and the scene read one bit");

namespace {

const char windowClassName[] = "OpenGL";
const char windowTitle[] = "SaverWindow";

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

// While the display is off nothing is drawn: the loop waits for a message,
// and at least once a second looks whether its windows are still there.
constexpr DWORD darkWaitMilliseconds = 1000;

// The frame loop's platform on Windows: the message queue, the window's
// device context and the place it covers.
struct SaverFrameHost {
    HDC deviceContext;
    WindowPlacement placement;

    bool handleEvents() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                return false;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return true;
    }

    // A window that is gone without a WM_DESTROY to us (the settings page that
    // held the preview crashed or was killed) ends the loop as a quit would.
    bool windowsStillThere() const {
        return IsWindow(saverWindow) && (placement.parent == nullptr || IsWindow(placement.parent));
    }

    bool displayOff() const { return ::displayOff; }

    void waitWhileDark() {
        MsgWaitForMultipleObjectsEx(0, nullptr, darkWaitMilliseconds, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }

    // The saver hears of a new desk from the window procedure; the preview's
    // parent says nothing when it is resized, so its size is looked at every frame.
    bool layoutChanged(SurfaceLayout& layout) {
        if (runMode == RunMode::Saver && !desktopChanged) {
            return false;
        }
        desktopChanged = false;
        WindowPlacement now = placementFor(runMode, placement.parent);
        if (!placementDiffers(placement, now)) {
            return false;
        }
        placement = std::move(now);
        SetWindowPos(saverWindow, nullptr, placement.x, placement.y, placement.width,
                     placement.height, SWP_NOZORDER | SWP_NOACTIVATE);
        layout = {placement.width, placement.height, placement.viewports};
        return true;
    }

    uint32_t frameFlags() const { return ::frameFlags(saverState->useMirrors); }
    void present() { SwapBuffers(deviceContext); }
    void sleep(int64_t microseconds) { Sleep(static_cast<DWORD>(microseconds / 1000)); }
    int64_t delayMicroseconds() const { return 0; }
};

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
    SaverFrameHost host{nullptr, placementFor(runMode, parent)};
    const WindowPlacement& placement = host.placement;
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
    host.deviceContext = deviceContext;
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

    runFrameLoop(host, *scene);

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
