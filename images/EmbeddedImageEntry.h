#pragma once

#include <cstdint>

// A picture compiled into a program that has no resources of its own (the
// native tests, the X11 hack): the table is made from resources/ by the build
// (cmake/EmbedImages.cmake).
struct EmbeddedImageEntry {
    const char* name;
    const uint8_t* data;
    uint32_t size;
};

extern const EmbeddedImageEntry builtInImages[];
extern const int builtInImageCount;

// The compiled-in picture of that name, or null.
const EmbeddedImageEntry* builtInImage(const char* name);
