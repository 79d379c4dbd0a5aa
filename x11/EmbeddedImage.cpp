#include "images/EmbeddedImage.h"
#include "images/EmbeddedImageEntry.h"

// The hack's pictures are compiled in; it reads no files.
bool findEmbeddedImage(const char* name, const uint8_t** data, uint32_t* size) {
    const EmbeddedImageEntry* entry = builtInImage(name);
    if (entry == nullptr) {
        return false;
    }
    *data = entry->data;
    *size = entry->size;
    return true;
}
