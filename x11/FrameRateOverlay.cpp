#include "x11/FrameRateOverlay.h"

#include <GL/glx.h>

#include <cstdio>
#include <cstring>

namespace {
constexpr int firstGlyph = 32;
constexpr int glyphCount = 96; // printable ASCII
constexpr int margin = 8;      // pixels from the corner
} // namespace

FrameRateOverlay::FrameRateOverlay(Display* display) : display(display) {
    font = XLoadQueryFont(display, "fixed");
    if (font == nullptr) {
        return;
    }
    listBase = glGenLists(glyphCount);
    if (listBase != 0) {
        glXUseXFont(font->fid, firstGlyph, glyphCount, listBase);
    }
}

FrameRateOverlay::~FrameRateOverlay() {
    if (listBase != 0) {
        glDeleteLists(listBase, glyphCount);
    }
    if (font != nullptr) {
        XFreeFont(display, font);
    }
}

void FrameRateOverlay::frameShown(float seconds) {
    if (countStart < 0.0f || seconds < countStart) {
        countStart = seconds;
        frames = 0;
        return;
    }
    ++frames;
    const float elapsed = seconds - countStart;
    if (elapsed >= 1.0f) {
        rate = static_cast<float>(frames) / elapsed;
        countStart = seconds;
        frames = 0;
    }
}

void FrameRateOverlay::draw(int width, int height) const {
    if (listBase == 0) {
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "FPS: %.1f", static_cast<double>(rate));
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    // The scene's clip planes, stencil and scissor would cut the text too.
    for (GLenum plane = GL_CLIP_PLANE0; plane <= GL_CLIP_PLANE5; ++plane) {
        glDisable(plane);
    }
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(margin, margin + font->descent);
    glListBase(listBase - firstGlyph);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
