#pragma once

#include "scene/OpenGL.h"

#include <cstdint>

// A decoded picture on its way to OpenGL, and afterwards the texture's name
// and size for drawing. Rows follow one another with no gap, top row first.
// Every field starts defined, so a record made without {} fails as safely.
struct TextureImage {
    uint8_t* pixels = nullptr; // allocated by a loader, released by uploadTexture
    int32_t bitsPerPixel = 0;  // 8 x the byte samples per pixel
    int32_t width = 0;
    int32_t height = 0;
    GLuint texture = 0; // 0 until uploaded
};

// Builds an RGBA texture from a three-component colour image and a
// one-component mask of the same size, the mask becoming the alpha.
bool loadAtlasTexture(TextureImage* image, const char* colourName, const char* maskName);

// Builds a texture from one image in its own channel count.
bool loadSingleTexture(TextureImage* image, const char* name);

// Creates the texture (clamped, linear), releases the pixels; always true.
bool uploadTexture(TextureImage* image);
