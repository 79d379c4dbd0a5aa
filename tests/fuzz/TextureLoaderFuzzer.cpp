// libFuzzer target over the memory source and both loaders. The first byte
// chooses where the rest goes: a single image, the atlas's colour image (with
// the embedded mask), or the atlas's mask (with the embedded colour image).
#include "images/TextureImage.h"
#include "tests/native/support/EmbeddedImageTable.h"
#include "tests/native/support/OffscreenContext.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static OffscreenContext context(4, 4);
    if (size < 1 || !context.valid()) {
        return 0;
    }
    const uint8_t mode = data[0] % 3;
    setTestImage("FUZZ", data + 1, static_cast<uint32_t>(size - 1));
    TextureImage image{};
    bool loaded = false;
    if (mode == 0) {
        loaded = loadSingleTexture(&image, "FUZZ");
    } else if (mode == 1) {
        loaded = loadAtlasTexture(&image, "FUZZ", "JPEG_TAVO_MASK");
    } else {
        loaded = loadAtlasTexture(&image, "JPEG_TAVO_RGB", "FUZZ");
    }
    if (loaded) {
        glDeleteTextures(1, &image.texture);
    }
    clearTestImages();
    return 0;
}
