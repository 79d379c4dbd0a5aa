#include "images/JpegReading.h"

#include <cstdlib>
#include <cstring>

namespace {

// Pixels are handled as 32-bit words, R in the lowest byte and A in the
// highest (the byte order of every target this builds for), so that the
// compiler can vectorise both passes.

// Colour bytes of every pixel of row r, and alpha 0 until the mask comes:
// every byte of the buffer is written here, so it needs no zero fill.
// The library's SIMD colour conversion writes the row with non-temporal
// stores, so loads from it would each wait for memory; one wide copy into a
// local row pulls it into the cache first.
void copyColourRow(const JSAMPLE* row, TextureImage* image, JDIMENSION r) {
    JSAMPLE cached[maximumPictureSide * 3 + 1];
    const int32_t width = image->width;
    std::memcpy(cached, row, static_cast<size_t>(width) * 3);
    cached[width * 3] = 0; // read, then masked off, by the last pixel's word
    uint8_t* destination = image->pixels + static_cast<size_t>(r) * width * 4;
    for (int32_t x = 0; x < width; ++x) {
        uint32_t pixel;
        std::memcpy(&pixel, cached + x * 3, 4);
        pixel &= 0x00FFFFFFu;
        std::memcpy(destination + x * 4, &pixel, 4);
    }
}

// Alpha byte of every pixel of row r; the colour bytes keep their values.
void copyMaskRow(const JSAMPLE* row, TextureImage* image, JDIMENSION r) {
    const int32_t width = image->width;
    uint8_t* destination = image->pixels + static_cast<size_t>(r) * width * 4;
    for (int32_t x = 0; x < width; ++x) {
        uint32_t pixel;
        std::memcpy(&pixel, destination + x * 4, 4);
        pixel = (pixel & 0x00FFFFFFu) | static_cast<uint32_t>(row[x]) << 24;
        std::memcpy(destination + x * 4, &pixel, 4);
    }
}

bool isColourImage(j_decompress_ptr cinfo) {
    return cinfo->output_components == 3 && fitsPicture(cinfo);
}

// The mask must cover every pixel exactly once.
bool matchesColour(j_decompress_ptr cinfo, const TextureImage* image) {
    return cinfo->output_components == 1 &&
           cinfo->output_width == static_cast<JDIMENSION>(image->width) &&
           cinfo->output_height == static_cast<JDIMENSION>(image->height);
}

} // namespace

bool loadAtlasTexture(TextureImage* image, const char* colourName, const char* maskName) {
    jpeg_decompress_struct cinfo;
    JpegErrorRecord errorRecord;
    ResourceBlob* volatile currentBlob = nullptr;
    prepareDecompressor(&cinfo, &errorRecord);
    if (setjmp(errorRecord.recoveryPoint) != 0) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    if (!beginImage(&cinfo, colourName, &currentBlob) || !isColourImage(&cinfo)) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    image->width = static_cast<int32_t>(cinfo.output_width);
    image->height = static_cast<int32_t>(cinfo.output_height);
    image->bitsPerPixel = 32;
    image->pixels =
        static_cast<uint8_t*>(std::malloc(static_cast<size_t>(image->width) * image->height * 4));
    if (image->pixels == nullptr) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    readRows(&cinfo, [image](const JSAMPLE* row, JDIMENSION r) { copyColourRow(row, image, r); });
    jpeg_finish_decompress(&cinfo);
    delete currentBlob;
    currentBlob = nullptr;

    if (!beginImage(&cinfo, maskName, &currentBlob) || !matchesColour(&cinfo, image)) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    readRows(&cinfo, [image](const JSAMPLE* row, JDIMENSION r) { copyMaskRow(row, image, r); });
    finishLastImage(&cinfo, currentBlob);
    return uploadTexture(image);
}
