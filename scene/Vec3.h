#pragma once

#include <cmath>

// Three single-precision coordinates.
struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    void set(float newX, float newY, float newZ) {
        x = newX;
        y = newY;
        z = newZ;
    }
    Vec3 operator-(const Vec3& other) const { return {x - other.x, y - other.y, z - other.z}; }
    float length() const { return std::sqrt(x * x + y * y + z * z); }
};
