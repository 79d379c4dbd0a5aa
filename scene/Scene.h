#pragma once

#include "scene/FrameClock.h"
#include "scene/MirrorSet.h"
#include "scene/Viewport.h"
#include "scene/WedgeOwnership.h"

#include <cstdint>
#include <vector>

class SignField;

// The rendering core, one per saver window: projection, the eight mirror
// sets, the frame clock and the sign field, drawn once per wedge. Needs a
// current OpenGL context for its whole life.
class Scene {
  public:
    static constexpr int mirrorSetCount = 8;
    static constexpr uint32_t mirrorFlag = 0x10000; // bit 16 of the frame flags

    Scene(int32_t width, int32_t height);
    // A surface that several monitors show: one animation, drawn into each
    // monitor's viewport with that monitor's aspect ratio; the rest is black.
    Scene(int32_t width, int32_t height, const std::vector<Viewport>& monitors);
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The surface has a new size or its monitors changed: a view for each
    // monitor as at construction (with none, one view of the whole surface),
    // the wedge edges marked anew.
    void resize(int32_t width, int32_t height, const std::vector<Viewport>& monitors = {});

    // Draws one frame into the back buffer; true means it is to be presented.
    bool renderFrame(uint32_t flags);

    // Makes set (index mod 8) current; with animate, the drawn angle glides
    // to it over two seconds from the angle on display.
    void selectMirrorSet(int32_t index, bool animate);
    void pickRandomMirrorSet(bool animate);
    // The current set, or during a transition the scratch set for the angle
    // of the moment; ends a transition that has run its course.
    const MirrorSet& mirrorSetToDraw();

    // The host drew nothing for a while (the display was off); see FrameClock.
    void resumeAfterPause() { clock.resumeAfterPause(); }

    // Milliseconds the host sleeps after each frame.
    int32_t sleepInterval() const { return clock.sleepInterval; }
    float sceneTime() const { return clock.sceneTime; }

    MirrorSet mirrorSets[mirrorSetCount];
    SignField* signField = nullptr;
    const MirrorSet* currentMirrorSet = nullptr;
    bool mirrorsEnabled = false;
    FrameClock clock;
    WedgeOwnership wedgeOwnership;
    std::vector<Viewport> viewports;

  private:
    void applyView(const Viewport& view, bool scissor);
    void advance();
    void drawWedges(const MirrorSet& set, bool marking);
    void cutCopy(const MirrorSet& set, int32_t pass, bool reflected, bool exactEdges) const;
};
