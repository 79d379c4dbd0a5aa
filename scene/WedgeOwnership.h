#pragma once

#include "scene/MirrorSet.h"

#include <cstdint>

// Settles, in the stencil buffer, which copy of the sign field draws the
// pixels on the edges between wedges. Neighbouring copies compute their
// shared edge in different frames, so their clip planes alone leave pixels
// on the edge to both copies or to neither. Here each copy is clipped a
// hair wider than its wedge, and a strip a hair wider still, just outside
// each of its two edges, shuts it out. The two strips on either side of an
// edge share that edge's vertices exactly, so the rasteriser's fill rule
// gives each pixel on it to one strip: to one copy.
class WedgeOwnership {
  public:
    // Needs a current OpenGL context; sets exactEdges.
    void init();
    // Whether the strips can be marked: only with enough stencil bits. Without,
    // the clip planes alone cut the wedges.
    bool exactEdges = false;
    // The view drawn next: `reach` is a distance from the centre in the plane
    // z = 0 beyond its corners; `pixel` is the size of one of its pixels there.
    void setView(double reach, double pixel);
    // The stencil buffer no longer holds the strips (the surface was resized).
    void forget() { marked = false; }

    // Once a frame, before anything is drawn: whether the strips are to be
    // marked anew for `set` at `sceneTime` (seconds), in which case the stencil (and with it the
    // unused depth) buffer is cleared here and `mark` is due for every view.
    // Otherwise the strips of an earlier frame, which the stencil buffer has
    // kept, serve again.
    bool beginFrame(const MirrorSet& set, float sceneTime);
    // Marks the strips of every copy that `set` draws, in the current view.
    // Draws nothing into colour or depth.
    void mark(const MirrorSet& set);
    // Keeps the copies out of their strips from here to `finish`.
    void beginCopies() const;
    // Keeps the copy of pass `pass` (0, 2, 4, ...), reflected or direct, out
    // of its strips and sets its clip planes.
    void selectCopy(const MirrorSet& set, int32_t pass, bool reflected) const;
    void finish() const;

  private:
    enum class Keeping { unknown, kept, lost };
    bool sentinelKept() const;

    double reach = 0.0;
    double pixel = 0.0;
    // The edges of the widest set: 24 wedges draw edges -1 .. 23.
    static constexpr int32_t maxEdges = 25;
    double edgeX[maxEdges] = {}, edgeY[maxEdges] = {};
    // What the stencil buffer holds: strips for this count and angle, marked
    // at this scene time; and whether it keeps them from frame to frame.
    bool marked = false;
    int32_t markedCount = 0;
    float markedAngle = 0.0f;
    float markedTime = 0.0f;
    Keeping keeping = Keeping::unknown;
};
