// libFuzzer target over the memory source and both loaders. The first byte
// chooses where the rest goes: a single image, the atlas's colour image, or
// the atlas's mask. The atlas's other image is a small one of 64 x 16 made
// by the library's compressor, so that a run decodes and uploads little
// beside the input itself; the seeds for the atlas are that size too.
#include "images/TextureImage.h"
#include "shared/PictureTable.h"
#include "shared/OffscreenContext.h"
#include "tests/native/support/TestJpeg.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

const std::vector<uint8_t>& partner(int components) {
    static const std::vector<uint8_t> pictures[2] = {[] {
                                                         TestJpegOptions options;
                                                         options.width = 64;
                                                         options.height = 16;
                                                         return makeTestJpeg(options);
                                                     }(),
                                                     [] {
                                                         TestJpegOptions options;
                                                         options.width = 64;
                                                         options.height = 16;
                                                         options.components = 3;
                                                         return makeTestJpeg(options);
                                                     }()};
    return pictures[components == 3 ? 1 : 0];
}

// Whether a frame header asks for more than 65,536 pixels (the logo has
// 16,384). Such pictures are decoded or refused like any other, but take
// milliseconds and megabytes a run; the unit tests cover the side limit.
bool claimsHugePicture(const uint8_t* data, size_t size) {
    for (size_t i = 0; i + 8 < size; ++i) {
        if (data[i] == 0xFF && data[i + 1] >= 0xC0 && data[i + 1] <= 0xC2) {
            const uint32_t height = data[i + 5] << 8 | data[i + 6];
            const uint32_t width = data[i + 7] << 8 | data[i + 8];
            if (static_cast<uint64_t>(width) * height > (1u << 16)) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static OffscreenContext context(4, 4);
    if (size < 1 || !context.valid() || claimsHugePicture(data, size)) {
        return 0;
    }
    const uint8_t mode = data[0] % 3;
    setTestImage("FUZZ", data + 1, static_cast<uint32_t>(size - 1));
    const std::vector<uint8_t>& mask = partner(1);
    const std::vector<uint8_t>& colour = partner(3);
    setTestImage("PARTNER_MASK", mask.data(), static_cast<uint32_t>(mask.size()));
    setTestImage("PARTNER_COLOUR", colour.data(), static_cast<uint32_t>(colour.size()));
    TextureImage image{};
    bool loaded = false;
    if (mode == 0) {
        loaded = loadSingleTexture(&image, "FUZZ");
    } else if (mode == 1) {
        loaded = loadAtlasTexture(&image, "FUZZ", "PARTNER_MASK");
    } else {
        loaded = loadAtlasTexture(&image, "PARTNER_COLOUR", "FUZZ");
    }
    if (loaded) {
        glDeleteTextures(1, &image.texture);
    }
    clearTestImages();
    return 0;
}
