#pragma once

#include "scene/Vec3.h"

#include <cstdint>

// One kaleidoscope geometry: a wedge below the centre, how many wedges cover
// the circle, the wedge's outer edge and the two clip planes that cut it out.
struct MirrorSet {
    float wedgeAngle = 0.0f; // degrees
    int32_t wedgeCount = 0;
    Vec3 rimStart; // radius 4 at 270 degrees
    Vec3 rimEnd;   // radius 4 at 270 degrees + wedge angle
    float edgeLength = 0.0f;
    double plane0[4] = {};
    double plane1[4] = {};
};

// Degrees to radians, with the constant the whole effect uses.
constexpr float degreesToRadians = 0.01745328f;

// Fills every field from angle (degrees, greater than 0).
void buildMirrorSet(MirrorSet& set, float angle);

// t * t * (3 - 2t) for a progress t in 0..1.
constexpr float smoothstep(float t) {
    return t * t * (3.0f - 2.0f * t);
}
