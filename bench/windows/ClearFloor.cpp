// The floor for CPU figures: a full-screen WGL program that only clears and
// presents, 30 times a second, until a key is pressed.
#include <windows.h>

#include <GL/gl.h>

namespace {

LRESULT CALLBACK floorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = floorProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "ClearFloor";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "ClearFloor", "Clear floor", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  nullptr, nullptr, instance, nullptr);
    HDC deviceContext = GetDC(window);
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 32;
    SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &request), &request);
    HGLRC context = wglCreateContext(deviceContext);
    wglMakeCurrent(deviceContext, context);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                break;
            }
            DispatchMessageA(&message);
            continue;
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SwapBuffers(deviceContext);
        Sleep(33);
    }
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    ReleaseDC(window, deviceContext);
    return 0;
}
