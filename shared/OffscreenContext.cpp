#include "shared/OffscreenContext.h"

#include <GL/gl.h>
#include <GL/osmesa.h>

OffscreenContext::OffscreenContext(int width, int height, int stencilBits)
    : surfaceWidth(width), surfaceHeight(height),
      surface(static_cast<size_t>(width) * static_cast<size_t>(height) * 4u) {
    OSMesaContext created = OSMesaCreateContextExt(OSMESA_RGBA, 24, stencilBits, 0, nullptr);
    if (created == nullptr) {
        return;
    }
    if (!OSMesaMakeCurrent(created, surface.data(), GL_UNSIGNED_BYTE, width, height)) {
        OSMesaDestroyContext(created);
        return;
    }
    context = created;
}

void OffscreenContext::makeCurrent() {
    OSMesaMakeCurrent(static_cast<OSMesaContext>(context), surface.data(), GL_UNSIGNED_BYTE,
                      surfaceWidth, surfaceHeight);
}

OffscreenContext::~OffscreenContext() {
    if (context != nullptr) {
        OSMesaDestroyContext(static_cast<OSMesaContext>(context));
    }
}

std::vector<uint8_t> OffscreenContext::readPixels() const {
    std::vector<uint8_t> pixels(surface.size());
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, surfaceWidth, surfaceHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Mesa keeps a few driver allocations until process exit; they are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libOSMesa.so\nleak:libLLVM\n";
}
