// Repeats the seam check of the rendering tests on the real platform: the
// scene drawn with uniform pictures into a full-screen window of the saver's
// own pixel format, two frames for each angle with a buffer swap between, so
// the second uses what the stencil buffer kept. Prints "angle frame seams"
// lines, then "stencil N kept K": the stencil bits the format has, and 1 if
// the marks outlived the last swap (the top bit on the first pixel).
#include "host/PixelFormat.h"
#include "images/EmbeddedImage.h"
#include "scene/MirrorTransition.h"
#include "scene/OpenGL.h"
#include "scene/Scene.h"
#include "tests/native/support/UniformKaleidoscope.h"

#include <windows.h>

#include <cstdio>
#include <vector>

// No pictures: the uniform ones replace them.
bool findEmbeddedImage(const char*, const uint8_t**, uint32_t*) {
    return false;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "SeamProbe";
    RegisterClassA(&windowClass);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "SeamProbe", "Seam probe", WS_POPUP | WS_VISIBLE,
                                  0, 0, width, height, nullptr, nullptr, instance, nullptr);
    HDC deviceContext = GetDC(window);
    const PIXELFORMATDESCRIPTOR request = pixelFormatRequest();
    SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &request), &request);
    HGLRC context = wglCreateContext(deviceContext);
    if (context == nullptr || !wglMakeCurrent(deviceContext, context)) {
        std::printf("no context\n");
        return 1;
    }
    {
        Scene scene(width, height);
        std::vector<uint8_t> image(static_cast<size_t>(width) * height * 4);
        for (float angle : {15.0f, 22.5f, 36.0f, 15.5f, 19.5f}) {
            coverWedgesUniformly(scene, scene.sceneTime());
            // A transition between equal angles draws exactly that angle.
            mirrorTransition.active = true;
            mirrorTransition.fromAngle = mirrorTransition.toAngle = angle;
            mirrorTransition.startTime = scene.sceneTime();
            mirrorTransition.duration = 60.0f;
            MirrorSet drawn;
            buildMirrorSet(drawn, angle);
            for (int frame = 0; frame < 2; ++frame) {
                scene.renderFrame(Scene::mirrorFlag);
                glReadBuffer(GL_BACK);
                glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
                std::printf("%g %d %d\n", angle, frame, seamPixels(image, width, height, drawn));
                SwapBuffers(deviceContext);
            }
        }
        GLint stencilBits = 0;
        glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
        GLubyte first = 0;
        glReadPixels(0, 0, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &first);
        std::printf("stencil %d kept %d\n", stencilBits, (first & 0x80) != 0);
    }
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    DestroyWindow(window);
    return 0;
}
