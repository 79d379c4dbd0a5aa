#include "images/JpegReading.h"

#include <cstdlib>
#include <cstring>

bool loadSingleTexture(TextureImage* image, const char* name) {
    jpeg_decompress_struct cinfo;
    JpegErrorRecord errorRecord;
    ResourceBlob* volatile currentBlob = nullptr;
    prepareDecompressor(&cinfo, &errorRecord);
    if (setjmp(errorRecord.recoveryPoint) != 0) {
        abandonLoad(&cinfo, currentBlob, image);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    if (!beginImage(&cinfo, name, &currentBlob) || !fitsPicture(&cinfo)) {
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
    readRows(&cinfo, [image, rowLength](const JSAMPLE* row, JDIMENSION r) {
        std::memcpy(image->pixels + r * rowLength, row, rowLength);
    });
    finishLastImage(&cinfo, currentBlob);
    return uploadTexture(image);
}
