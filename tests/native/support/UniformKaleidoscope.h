#pragma once

#include "scene/MirrorSet.h"
#include "scene/Scene.h"

#include <cstdint>
#include <vector>

// The kaleidoscope with uniform pictures, where every layer adds a known grey
// and a seam stands out; shared by the rendering tests and the program that
// repeats the check under Wine through the saver's own pixel format.

// Replaces a texture by a 4 x 4 one of a single texel: one byte is an alpha
// texture, four an RGBA one.
void replaceTexture(uint32_t& texture, const std::vector<uint8_t>& texel);

// Puts sign k where the next frame at `time` (scene seconds) draws it: x
// through its phase, unturned, showing `tile`, never dimmed.
void placeSign(Scene& scene, int k, double x, double y, double scale, int tile, double time);

// White signs of a faint uniform mask, all eight over the whole wedge in the
// frame at `time`, and no logo.
void coverWedgesUniformly(Scene& scene, double time);

// Pixels within a pixel of a wedge edge of `set` whose grey differs from the
// grey that the pixels one to three pixels off the edge, on both sides, agree
// on. `image` is RGBA, row 0 at the bottom. Where the copies meet without a
// gap or an overlap there are none.
int seamPixels(const std::vector<uint8_t>& image, int width, int height, const MirrorSet& set);
