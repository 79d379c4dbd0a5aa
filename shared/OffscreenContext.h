#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A Mesa off-screen RGBA context with a depth and a stencil buffer, as the
// product asks for, current on the calling thread until another is made
// current. Rendering tests draw into it and read back.
class OffscreenContext {
  public:
    OffscreenContext(int width, int height, int stencilBits = 8);
    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    bool valid() const { return context != nullptr; }
    void makeCurrent();
    int width() const { return surfaceWidth; }
    int height() const { return surfaceHeight; }

    // RGBA bytes of the whole surface, row 0 at the bottom (OpenGL's order).
    std::vector<uint8_t> readPixels() const;

  private:
    void* context = nullptr;
    int surfaceWidth;
    int surfaceHeight;
    std::vector<uint8_t> surface;
};
