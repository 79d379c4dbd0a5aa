#include "scene/MirrorSet.h"

#include <cmath>

namespace {

constexpr float rimRadius = 4.0f;
constexpr float downDegrees = 270.0f;

// Enough wedges to cover the circle, unless at most half a degree would be
// left uncovered; computed in double precision.
int32_t wedgeCountFor(float angle) {
    const double wedge = angle;
    int32_t count = static_cast<int32_t>(360.0 / wedge);
    if (360.0 - count * wedge > 0.5) {
        ++count;
    }
    return count;
}

Vec3 rimPoint(float degrees) {
    const float radians = degrees * degreesToRadians;
    Vec3 point;
    point.set(rimRadius * std::cos(radians), rimRadius * std::sin(radians), 0.0f);
    return point;
}

} // namespace

void buildMirrorSet(MirrorSet& set, float angle) {
    set.wedgeAngle = angle;
    set.wedgeCount = wedgeCountFor(angle);
    set.rimStart = rimPoint(downDegrees);
    set.rimEnd = rimPoint(angle + downDegrees);
    set.edgeLength = (set.rimStart - set.rimEnd).length();
    // Plane 0 keeps x >= 0; plane 1 faces the direction angle + 180 degrees, so
    // together they keep the wedge from 270 degrees to 270 degrees + angle.
    set.plane0[0] = 1.0;
    set.plane0[1] = 0.0;
    set.plane0[2] = 0.0;
    set.plane0[3] = 0.0;
    const float normal = (angle + downDegrees - 90.0f) * degreesToRadians;
    set.plane1[0] = std::cos(normal);
    set.plane1[1] = std::sin(normal);
    set.plane1[2] = 0.0;
    set.plane1[3] = 0.0;
}
