#include "tests/native/support/TestJpeg.h"

#include <cstdlib>
#include <memory>
#include <string>

std::vector<uint8_t> makeTestJpeg(const TestJpegOptions& options) {
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = static_cast<JDIMENSION>(options.width);
    compressor.image_height = static_cast<JDIMENSION>(options.height);
    compressor.input_components = options.components;
    compressor.in_color_space = options.components == 1   ? JCS_GRAYSCALE
                                : options.components == 3 ? JCS_RGB
                                                          : JCS_CMYK;
    jpeg_set_defaults(&compressor);
    if (options.progressive) {
        jpeg_simple_progression(&compressor);
    }
    jpeg_start_compress(&compressor, TRUE);
    const char comment[] = "metadata the decoder skips";
    jpeg_write_marker(&compressor, JPEG_COM, reinterpret_cast<const JOCTET*>(comment),
                      sizeof comment);
    const size_t rowLength = static_cast<size_t>(options.width) * options.components;
    std::vector<JSAMPLE> row(rowLength);
    while (compressor.next_scanline < compressor.image_height) {
        const int y = static_cast<int>(compressor.next_scanline);
        for (size_t i = 0; i < rowLength; ++i) {
            const int x = static_cast<int>(i);
            row[i] = static_cast<JSAMPLE>(((x * 7 + y * 13) ^ (x * y)) & 255);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&compressor, rows, 1);
    }
    jpeg_finish_compress(&compressor);
    jpeg_destroy_compress(&compressor);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

ReferencePicture decodeWithDjpeg(const char* path) {
    ReferencePicture picture;
    const std::string command = std::string(DROWSEL_DJPEG) + " -pnm '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return picture;
    }
    char magic[3] = {};
    int maximum = 0;
    if (std::fscanf(pipe, "%2s %d %d %d", magic, &picture.width, &picture.height, &maximum) == 4 &&
        std::fgetc(pipe) != EOF) {
        picture.components = magic[1] == '6' ? 3 : 1;
        picture.samples.resize(static_cast<size_t>(picture.width) * picture.height *
                               picture.components);
        if (std::fread(picture.samples.data(), 1, picture.samples.size(), pipe) !=
            picture.samples.size()) {
            picture.samples.clear();
        }
    }
    pclose(pipe);
    return picture;
}
