#include "images/TextureImage.h"

#include <cstdlib>

namespace {

GLenum formatFor(int32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 8:
    case 16:
        return GL_ALPHA;
    case 24:
        return GL_RGB;
    default:
        return GL_RGBA;
    }
}

} // namespace

bool uploadTexture(TextureImage* image) {
    glGenTextures(1, &image->texture);
    glBindTexture(GL_TEXTURE_2D, image->texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLenum format = formatFor(image->bitsPerPixel);
    // Rows are packed with no gap; only a row whose length is not a multiple
    // of 4 bytes needs byte alignment, which is then put back.
    const long bytesPerPixel = format == GL_ALPHA ? 1 : format == GL_RGB ? 3 : 4;
    const long rowLength = static_cast<long>(image->width) * bytesPerPixel;
    const bool packedRows = rowLength % 4 != 0;
    if (packedRows) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image->width, image->height, 0,
                 format, GL_UNSIGNED_BYTE, image->pixels);
    if (packedRows) {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }
    std::free(image->pixels);
    image->pixels = nullptr;
    return true;
}
