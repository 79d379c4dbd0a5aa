#include "images/JpegErrorRecord.h"
#include "images/JpegReading.h"

#include <cstdlib>
#include <cstring>

namespace {

// Colour bytes of every pixel of row r; alpha is left as it is.
void copyColourRow(const JSAMPLE* row, TextureImage* image, JDIMENSION r) {
    uint8_t* destination = image->pixels + static_cast<size_t>(r) * image->width * 4;
    for (int32_t x = 0; x < image->width; ++x) {
        destination[x * 4 + 0] = row[x * 3 + 0];
        destination[x * 4 + 1] = row[x * 3 + 1];
        destination[x * 4 + 2] = row[x * 3 + 2];
    }
}

void copyMaskRow(const JSAMPLE* row, TextureImage* image, JDIMENSION r) {
    uint8_t* destination = image->pixels + static_cast<size_t>(r) * image->width * 4;
    for (int32_t x = 0; x < image->width; ++x) {
        destination[x * 4 + 3] = row[x];
    }
}

bool isColourImage(j_decompress_ptr cinfo) {
    return cinfo->output_components == 3 && cinfo->output_width <= maximumPictureSide &&
           cinfo->output_height <= maximumPictureSide;
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
    std::memset(&cinfo, 0, sizeof cinfo); // a failed creation destroys a zeroed record
    JpegErrorRecord errorRecord;
    ResourceBlob* volatile currentBlob = nullptr;
    cinfo.err = installErrorRecord(&errorRecord);
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
        static_cast<uint8_t*>(std::calloc(static_cast<size_t>(image->width) * image->height, 4));
    if (image->pixels == nullptr) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    JSAMPARRAY rowArray = allocateRowArray(&cinfo);
    for (JDIMENSION r = 0; cinfo.output_scanline < cinfo.output_height && r < cinfo.output_height;
         ++r) {
        jpeg_read_scanlines(&cinfo, rowArray, 1);
        copyColourRow(rowArray[0], image, r);
    }
    jpeg_finish_decompress(&cinfo);
    delete currentBlob;
    currentBlob = nullptr;

    if (!beginImage(&cinfo, maskName, &currentBlob) || !matchesColour(&cinfo, image)) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    rowArray = allocateRowArray(&cinfo);
    for (JDIMENSION r = 0; cinfo.output_scanline < cinfo.output_height && r < cinfo.output_height;
         ++r) {
        jpeg_read_scanlines(&cinfo, rowArray, 1);
        copyMaskRow(rowArray[0], image, r);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    delete currentBlob;
    return uploadTexture(image);
}
