#include "images/JpegReading.h"

#include "images/EmbeddedImage.h"
#include "images/JpegMemorySource.h"

#include <cstdlib>
#include <cstring>
#include <new>

void prepareDecompressor(j_decompress_ptr cinfo, JpegErrorRecord* record) {
    std::memset(cinfo, 0, sizeof *cinfo);
    cinfo->err = installErrorRecord(record);
}

bool fitsPicture(j_decompress_ptr cinfo) {
    return cinfo->output_width <= maximumPictureSide && cinfo->output_height <= maximumPictureSide;
}

bool beginImage(j_decompress_ptr cinfo, const char* name, ResourceBlob* volatile* currentBlob,
                bool fourBytesPerPixel) {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!findEmbeddedImage(name, &data, &size)) {
        return false;
    }
    ResourceBlob* blob = new (std::nothrow) ResourceBlob(data, size);
    if (blob == nullptr) {
        return false;
    }
    *currentBlob = blob;
    installMemorySource(cinfo, blob);
    jpeg_read_header(cinfo, TRUE);
    if (fourBytesPerPixel && cinfo->out_color_space == JCS_RGB) {
        cinfo->out_color_space = JCS_EXT_RGBA;
    }
    jpeg_start_decompress(cinfo);
    return true;
}

JSAMPARRAY allocateRowArray(j_decompress_ptr cinfo) {
    return (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                       cinfo->output_width * cinfo->output_components, 1);
}

void finishLastImage(j_decompress_ptr cinfo, ResourceBlob* currentBlob) {
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    delete currentBlob;
}

void abandonLoad(j_decompress_ptr cinfo, ResourceBlob* currentBlob, TextureImage* image) {
    jpeg_destroy_decompress(cinfo);
    delete currentBlob;
    std::free(image->pixels);
    image->pixels = nullptr;
}
