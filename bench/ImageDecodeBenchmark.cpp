// Decode cost of the embedded pictures: our loaders (decode, assemble and
// upload) against the library's plain decode of the same bytes, as djpeg
// does it, and the upload alone, so the loaders' own overhead can be read.
#include "images/TextureImage.h"
#include "shared/PictureTable.h"
#include "shared/OffscreenContext.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace {

OffscreenContext& context() {
    static OffscreenContext shared(16, 16);
    return shared;
}

// The library's decode of the same bytes as djpeg runs it: one row at a time
// into a one-row buffer from the image pool, each row then copied out to the
// picture (djpeg copies it to its output buffer). With `inPlace` the library
// writes straight into the picture and nothing reads the rows back.
void plainDecode(benchmark::State& state, const char* name, bool inPlace) {
    const EmbeddedImageEntry* entry = builtInImage(name);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr errors;
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, entry->data, entry->size);
        jpeg_read_header(&cinfo, TRUE);
        jpeg_start_decompress(&cinfo);
        const size_t rowLength = size_t{cinfo.output_width} * cinfo.output_components;
        std::vector<JSAMPLE> picture(rowLength * cinfo.output_height);
        JSAMPARRAY rowArray =
            (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                       static_cast<JDIMENSION>(rowLength), 1);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPLE* destination = picture.data() + cinfo.output_scanline * rowLength;
            if (inPlace) {
                jpeg_read_scanlines(&cinfo, &destination, 1);
            } else {
                jpeg_read_scanlines(&cinfo, rowArray, 1);
                std::memcpy(destination, rowArray[0], rowLength);
            }
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(picture.data());
    }
}

void finish(TextureImage& image) {
    glDeleteTextures(1, &image.texture);
    glFinish();
}

void BM_AtlasLoader(benchmark::State& state) {
    context();
    for (auto _ : state) {
        TextureImage image{};
        loadAtlasTexture(&image, "JPEG_TAVO_RGB", "JPEG_TAVO_MASK");
        finish(image);
    }
}

void BM_LogoLoader(benchmark::State& state) {
    context();
    for (auto _ : state) {
        TextureImage image{};
        loadSingleTexture(&image, "LOGO_MASK");
        finish(image);
    }
}

void upload(benchmark::State& state, int width, int height, int bitsPerPixel) {
    context();
    for (auto _ : state) {
        TextureImage image{};
        image.width = width;
        image.height = height;
        image.bitsPerPixel = bitsPerPixel;
        image.pixels = static_cast<uint8_t*>(
            std::calloc(static_cast<size_t>(width) * height, bitsPerPixel / 8));
        uploadTexture(&image);
        finish(image);
    }
}

void BM_PlainColour(benchmark::State& state) {
    plainDecode(state, "JPEG_TAVO_RGB", false);
}
void BM_PlainMask(benchmark::State& state) {
    plainDecode(state, "JPEG_TAVO_MASK", false);
}
void BM_PlainLogo(benchmark::State& state) {
    plainDecode(state, "LOGO_MASK", false);
}
void BM_PlainColourInPlace(benchmark::State& state) {
    plainDecode(state, "JPEG_TAVO_RGB", true);
}
void BM_UploadAtlas(benchmark::State& state) {
    upload(state, 1024, 256, 32);
}
void BM_UploadLogo(benchmark::State& state) {
    upload(state, 512, 32, 8);
}

BENCHMARK(BM_AtlasLoader)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LogoLoader)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainColour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainColourInPlace)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainMask)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainLogo)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UploadAtlas)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UploadLogo)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
