#include "images/JpegErrorRecord.h"
#include "images/JpegReading.h"

#include <cstdlib>
#include <cstring>

bool loadSingleTexture(TextureImage* image, const char* name) {
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
    if (!beginImage(&cinfo, name, &currentBlob) || cinfo.output_width > maximumPictureSide ||
        cinfo.output_height > maximumPictureSide) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    const size_t rowLength = static_cast<size_t>(cinfo.output_width) * cinfo.output_components;
    image->width = static_cast<int32_t>(cinfo.output_width);
    image->height = static_cast<int32_t>(cinfo.output_height);
    image->bitsPerPixel = 8 * cinfo.output_components;
    image->pixels = static_cast<uint8_t*>(std::calloc(rowLength * cinfo.output_height, 1));
    if (image->pixels == nullptr) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    JSAMPARRAY rowArray = allocateRowArray(&cinfo);
    for (JDIMENSION r = 0; cinfo.output_scanline < cinfo.output_height && r < cinfo.output_height;
         ++r) {
        jpeg_read_scanlines(&cinfo, rowArray, 1);
        std::memcpy(image->pixels + r * rowLength, rowArray[0], rowLength);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    delete currentBlob;
    return uploadTexture(image);
}
