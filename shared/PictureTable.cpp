#include "shared/PictureTable.h"

#include "images/EmbeddedImage.h"

#include <map>
#include <string>

namespace {

struct TestImage {
    const uint8_t* data;
    uint32_t size;
};

std::map<std::string, TestImage>& testImages() {
    static std::map<std::string, TestImage> images;
    return images;
}

} // namespace

void setTestImage(const char* name, const uint8_t* data, uint32_t size) {
    testImages()[name] = {data, size};
}

void clearTestImages() {
    testImages().clear();
}

bool findEmbeddedImage(const char* name, const uint8_t** data, uint32_t* size) {
    const auto found = testImages().find(name);
    if (found != testImages().end()) {
        if (found->second.data == nullptr || found->second.size == 0) {
            return false;
        }
        *data = found->second.data;
        *size = found->second.size;
        return true;
    }
    const EmbeddedImageEntry* entry = builtInImage(name);
    if (entry == nullptr) {
        return false;
    }
    *data = entry->data;
    *size = entry->size;
    return true;
}
