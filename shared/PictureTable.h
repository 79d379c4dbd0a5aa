#pragma once

#include "images/EmbeddedImageEntry.h"

#include <cstdint>

// The native stand-in for the executable's raw-data resources: the pictures
// compiled in from resources/, plus images a test adds or replaces.

// Makes findEmbeddedImage return these bytes for name until cleared. The bytes
// must outlive the use; a null data pointer hides the name.
void setTestImage(const char* name, const uint8_t* data, uint32_t size);
void clearTestImages();
