#include "host/PixelFormat.h"

PIXELFORMATDESCRIPTOR pixelFormatRequest() {
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    request.nVersion = 1;
    request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    request.iPixelType = PFD_TYPE_RGBA;
    request.cColorBits = 32;
    request.cStencilBits = 8; // wedge owners; the scene checks what it really got
    request.iLayerType = PFD_MAIN_PLANE;
    return request;
}
