#pragma once

#include <cstdint>

// The artwork of the embedded pictures, as functions of pixel position.
constexpr int signCount = 16;
constexpr int signCellSize = 128;

struct SignSample {
    uint8_t colour[3]; // R, G, B; the plate's rim colour reaches past the edge
    uint8_t coverage;  // 255 inside the sign, 0 outside, a soft ramp between
};

// Pixel (x, y) of sign cell `cell`, x and y from 0 to 127 with y down.
SignSample sampleSign(int cell, int x, int y);

// Grey value of pixel (x, y) of the logo strip: "DROWSEL" white on black.
uint8_t sampleLogo(int x, int y, int width, int height);
