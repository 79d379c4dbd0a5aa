#include "images/EmbeddedImageEntry.h"

#include <cstring>

const EmbeddedImageEntry* builtInImage(const char* name) {
    for (int k = 0; k < builtInImageCount; ++k) {
        if (std::strcmp(builtInImages[k].name, name) == 0) {
            return &builtInImages[k];
        }
    }
    return nullptr;
}
