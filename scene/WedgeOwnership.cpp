#include "scene/WedgeOwnership.h"

#include "scene/OpenGL.h"

#include <cmath>

namespace {

// Stencil bits. A strip sets the bit of the copy it shuts out; a copy draws
// where none of its bits is set. Outside the last pass a copy's bit is one of
// three by its wedge, 1 << ((wedge + 1) mod 3):
//
//     wedge   -1   0   1   2   3   4   5  ...
//     bit      1   2   4   1   2   4   1  ...
//
// Pass p draws wedge p and then, reflected, wedge p - 1; pass p + 2 then
// draws wedge p + 2 first, three wedges on, with the same bit. So the stencil
// test changes only every second copy (each change costs a software
// rasteriser a state record), and copies of one bit lie three wedges apart,
// where no strip of one reaches the other. The two copies of the last pass,
// which may overlap the first pass, have a bit each. The pixel on the centre,
// where every copy reaches, belongs to wedge 0 alone.
constexpr int32_t pairBitCount = 3;
constexpr GLuint lastPassDirect = 0x10;
constexpr GLuint lastPassReflected = 0x20;
constexpr GLuint centre = 0x40;
// Set on the window's first pixel with the strips: still there a frame
// later only where the stencil buffer outlives the buffer swap.
constexpr GLuint sentinel = 0x80;
constexpr GLint bitsNeeded = 8;

// The strips are marked anew at least this often (seconds of scene time), so
// that a stencil buffer damaged under another window mends within a second
// however long the frames are apart.
constexpr float refreshInterval = 1.0f;

// In pixels: how far each copy's clip planes are moved out, and how wide a
// strip is. Both are well above the rounding of clipping and of snapping
// vertices to the rasteriser's grid, and small enough that near the centre
// a strip never reaches pixels beyond the neighbouring wedge.
constexpr double clipMargin = 0.1;
constexpr double stripWidth = 0.25;

// Ends within this many degrees of a full turn close the circle exactly.
constexpr double closingTolerance = 1e-3;

int32_t lastPass(const MirrorSet& set) {
    return (set.wedgeCount - 1) / 2 * 2;
}

// Pass i draws wedge i directly and wedge i - 1 reflected.
int32_t wedgeOf(int32_t pass, bool reflected) {
    return reflected ? pass - 1 : pass;
}

GLuint pairBit(int32_t wedge) {
    return 1u << ((wedge + 1) % pairBitCount); // wedges from -1 on
}

GLuint bitOf(const MirrorSet& set, int32_t pass, bool reflected) {
    if (pass == lastPass(set)) {
        return reflected ? lastPassReflected : lastPassDirect;
    }
    return pairBit(wedgeOf(pass, reflected));
}

// A strip of `width` beside the edge from the centre to (x, y), on the side
// that `side` (+1 counter-clockwise, -1 clockwise) points to.
void drawStrip(double x, double y, double width, double side) {
    const double length = std::sqrt(x * x + y * y);
    const double normalX = -y / length * width * side, normalY = x / length * width * side;
    glVertex3d(0.0, 0.0, 0.0);
    glVertex3d(x, y, 0.0);
    glVertex3d(x + normalX, y + normalY, 0.0);
    glVertex3d(0.0, 0.0, 0.0);
    glVertex3d(x + normalX, y + normalY, 0.0);
    glVertex3d(normalX, normalY, 0.0);
}

} // namespace

void WedgeOwnership::init() {
    GLint stencilBits = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
    exactEdges = stencilBits >= bitsNeeded;
}

void WedgeOwnership::setView(double reachDistance, double pixelSize) {
    reach = reachDistance;
    pixel = pixelSize;
}

bool WedgeOwnership::beginFrame(const MirrorSet& set, float sceneTime) {
    if (!exactEdges) {
        return false;
    }
    const float sinceMarking = sceneTime - markedTime;
    const bool stillMarked = marked && set.wedgeCount == markedCount &&
                             set.wedgeAngle == markedAngle && sinceMarking >= 0.0f &&
                             sinceMarking < refreshInterval;
    if (stillMarked && keeping == Keeping::unknown) {
        keeping = sentinelKept() ? Keeping::kept : Keeping::lost; // asked once: it stalls
    }
    if (stillMarked && keeping == Keeping::kept) {
        return false;
    }
    // Depth goes with stencil: they share one buffer, and clearing only the
    // stencil bits costs a read and a write of every pixel.
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glPushAttrib(GL_SCISSOR_BIT | GL_STENCIL_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
    glClearStencil(static_cast<GLint>(sentinel));
    glClear(GL_STENCIL_BUFFER_BIT);
    glPopAttrib();
    marked = true;
    markedCount = set.wedgeCount;
    markedAngle = set.wedgeAngle;
    markedTime = sceneTime;
    return true;
}

bool WedgeOwnership::sentinelKept() const {
    GLubyte value = 0; // one row of one byte: the pack alignment does not matter
    glReadPixels(0, 0, 1, 1, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, &value);
    return (value & sentinel) != 0;
}

void WedgeOwnership::mark(const MirrorSet& set) {
    const int32_t last = lastPass(set);
    // Wedge w lies between edges w and w + 1; edge k points at 270 + k angles
    // and is kept at index k + 1 (edges -1 .. last + 1). Every edge is
    // computed once, so the strips on its two sides share it.
    const int32_t edges = last + 3;
    if (edges > maxEdges) {
        return; // more wedges than any set has: the copies keep their clip planes
    }
    for (int32_t k = 0; k < edges; ++k) {
        const double degrees = 270.0 + (k - 1) * static_cast<double>(set.wedgeAngle);
        edgeX[k] = reach * std::cos(degrees * degreesToRadians);
        edgeY[k] = reach * std::sin(degrees * degreesToRadians);
    }
    if (std::abs((last + 2) * static_cast<double>(set.wedgeAngle) - 360.0) < closingTolerance) {
        edgeX[edges - 1] = edgeX[0];
        edgeY[edges - 1] = edgeY[0];
    }
    const double width = stripWidth * pixel;
    // The strips just outside wedge w's two edges.
    const auto stripsOf = [&](int32_t wedge) {
        drawStrip(edgeX[wedge + 1], edgeY[wedge + 1], width, -1.0);
        drawStrip(edgeX[wedge + 2], edgeY[wedge + 2], width, 1.0);
    };

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glEnable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glStencilFunc(GL_ALWAYS, 0xFF, 0xFF);
    // One batch a bit: each change of the write mask costs the rasteriser far
    // more than the thin strips themselves. Passes before the last draw
    // wedges -1 .. last - 2, every third of them with the same bit.
    for (int32_t first = -1; first < -1 + pairBitCount; ++first) {
        glStencilMask(pairBit(first));
        glBegin(GL_TRIANGLES);
        for (int32_t wedge = first; wedge <= last - 2; wedge += pairBitCount) {
            stripsOf(wedge);
        }
        glEnd();
    }
    glStencilMask(lastPassDirect);
    glBegin(GL_TRIANGLES);
    stripsOf(wedgeOf(last, false));
    glEnd();
    glStencilMask(lastPassReflected);
    glBegin(GL_TRIANGLES);
    stripsOf(wedgeOf(last, true));
    glEnd();
    // The centre pixel goes to wedge 0 whatever the strips that meet there
    // took: its own bit is cleared, every other copy's set.
    glStencilMask(centre | bitOf(set, 0, false));
    glStencilFunc(GL_ALWAYS, centre, 0xFF);
    const double half = 0.25 * pixel; // holds a pixel centre only where the centre is one
    glRectd(-half, -half, half, half);
    glPopAttrib();
}

void WedgeOwnership::beginCopies() const {
    glEnable(GL_STENCIL_TEST);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glStencilMask(0);
}

void WedgeOwnership::selectCopy(const MirrorSet& set, int32_t pass, bool reflected) const {
    const bool ownsCentre = pass == 0 && !reflected;
    const GLuint shutOutBy = bitOf(set, pass, reflected) | (ownsCentre ? 0u : centre);
    glStencilFunc(GL_EQUAL, 0, shutOutBy);
    // Both planes go through the centre with unit normals: moving them out
    // makes sure the copy reaches every pixel of its wedge.
    const double margin = clipMargin * pixel;
    const double plane0[4] = {set.plane0[0], set.plane0[1], set.plane0[2], set.plane0[3] + margin};
    const double plane1[4] = {set.plane1[0], set.plane1[1], set.plane1[2], set.plane1[3] + margin};
    glClipPlane(GL_CLIP_PLANE0, plane0);
    glClipPlane(GL_CLIP_PLANE1, plane1);
}

void WedgeOwnership::finish() const {
    glStencilMask(0xFF);
    glDisable(GL_STENCIL_TEST);
}
