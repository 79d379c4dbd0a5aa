#pragma once

#include <GL/gl.h>
#include <X11/Xlib.h>

// With -fps, the frame rate in the lower left corner, as the other GL hacks
// show it: frames presented in each second of scene time, drawn over the
// frame in the X server's "fixed" font. Needs the hack's OpenGL context
// current for its whole life.
class FrameRateOverlay {
  public:
    explicit FrameRateOverlay(Display* display);
    ~FrameRateOverlay();
    FrameRateOverlay(const FrameRateOverlay&) = delete;
    FrameRateOverlay& operator=(const FrameRateOverlay&) = delete;

    // A frame was presented at this scene time, in seconds.
    void frameShown(float seconds);
    // Draws the rate over the back buffer of a surface this big, leaving the
    // OpenGL state as it found it.
    void draw(int width, int height) const;

  private:
    Display* display;
    XFontStruct* font = nullptr;
    GLuint listBase = 0;
    int frames = 0;
    float countStart = -1.0f;
    float rate = 0.0f;
};
