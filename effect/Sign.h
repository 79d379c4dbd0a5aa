#pragma once

#include "scene/Vec3.h"

#include <cstdint>

struct MirrorSet;
struct TextureImage;

// One sprite crossing the wedge in 30 seconds of scene time, showing one cell
// of the sign atlas. It reaches its field through currentSignField.
struct Sign {
    static constexpr float phaseRate = 0.033333335f; // crossings per second
    static constexpr float crossingTime = 30.0f;     // seconds

    Vec3 position;              // centre in model space
    float phase = 0.0f;         // fraction of the crossing passed, 0..1
    float birthTime = 0.0f;     // scene time when the crossing began
    float scale = 0.0f;         // of a quad whose half-size is 1
    float spin = 0.0f;          // degrees turned over one whole crossing
    float rotation = 0.0f;      // degrees, spin x phase
    int32_t tile = 0;           // atlas cell 0..15
    int32_t blink = 0;          // bit 0 dims in odd seconds, bit 1 in even ones
    float u = 0.0f, v = 0.0f;   // left and top edge of the picture in the atlas
    float du = 0.0f, dv = 0.0f; // its width and height in texture coordinates

    void init(float startPhase);
    // Places the sign for a new crossing that is already phase of the way along.
    void respawn();
    // Phase from scene time, the respawn at the end of a crossing, x and rotation.
    void update();
    // Shows picture `cell` of the atlas: its texture coordinates from the
    // atlas's grid of cells.
    void showCell(int32_t cell, const TextureImage& atlas);
    // Whether any of the quad can lie on the inner side of both planes of
    // `set`, which pass through the centre.
    bool reaches(const MirrorSet& set) const;
    void draw() const;
};
