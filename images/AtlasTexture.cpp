#include "images/JpegReading.h"

#include <cstdlib>
#include <cstring>

namespace {

// Pixels are RGBA bytes, handled in the mask pass as 32-bit words with R in
// the lowest byte and A in the highest (the byte order of every target this
// builds for), so that the compiler can vectorise it.

// The colour image straight into the picture, a row at a time, as RGBA
// with alpha 0xFF until the mask comes: every byte is written here, so the
// buffer needs no zero fill, and no row is copied.
void readColourRows(j_decompress_ptr cinfo, TextureImage* image) {
    const size_t rowLength = static_cast<size_t>(image->width) * 4;
    for (JDIMENSION r = 0;
         cinfo->output_scanline < cinfo->output_height && r < cinfo->output_height; ++r) {
        JSAMPROW row = image->pixels + static_cast<size_t>(cinfo->output_scanline) * rowLength;
        jpeg_read_scanlines(cinfo, &row, 1);
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
    return cinfo->out_color_space == JCS_EXT_RGBA && fitsPicture(cinfo);
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
    if (!beginImage(&cinfo, colourName, &currentBlob, true) || !isColourImage(&cinfo)) {
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
    readColourRows(&cinfo, image);
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
