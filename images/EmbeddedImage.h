#pragma once

#include <cstdint>

// Finds the embedded image with the given resource name. False when it is
// missing, empty, or cannot be loaded or locked. The bytes stay valid for the
// life of the process. In the product these are the executable's raw-data
// resources; native builds link a table compiled from the same files.
bool findEmbeddedImage(const char* name, const uint8_t** data, uint32_t* size);
