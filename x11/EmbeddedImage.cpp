#include "images/EmbeddedImage.h"
#include "images/EmbeddedImageEntry.h"

#include <cstring>

// The hack's pictures are compiled in; it reads no files.
bool findEmbeddedImage(const char* name, const uint8_t** data, uint32_t* size) {
    for (int k = 0; k < builtInImageCount; ++k) {
        if (std::strcmp(builtInImages[k].name, name) == 0) {
            *data = builtInImages[k].data;
            *size = builtInImages[k].size;
            return true;
        }
    }
    return false;
}
