#include "images/JpegMemorySource.h"
#include "images/JpegErrorRecord.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A small grey JPEG made with the library's own compressor, with a comment
// segment that the decoder has to skip.
std::vector<uint8_t> makeJpeg(int width, int height) {
    jpeg_compress_struct compressor{};
    jpeg_error_mgr errors{};
    compressor.err = jpeg_std_error(&errors);
    jpeg_create_compress(&compressor);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&compressor, &buffer, &size);
    compressor.image_width = static_cast<JDIMENSION>(width);
    compressor.image_height = static_cast<JDIMENSION>(height);
    compressor.input_components = 1;
    compressor.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&compressor);
    jpeg_start_compress(&compressor, TRUE);
    const char comment[] = "metadata the decoder skips";
    jpeg_write_marker(&compressor, JPEG_COM, reinterpret_cast<const JOCTET*>(comment),
                      sizeof comment);
    std::vector<JSAMPLE> row(static_cast<size_t>(width));
    while (compressor.next_scanline < compressor.image_height) {
        for (int x = 0; x < width; ++x) {
            const int y = static_cast<int>(compressor.next_scanline);
            row[static_cast<size_t>(x)] = static_cast<JSAMPLE>(((x * 7 + y * 13) ^ (x * y)) & 255);
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

struct Decoded {
    bool ok = false;
    int rows = 0;
    long warnings = 0;
};

// The reading sequence over data held in an allocation of exactly its size,
// so the sanitizer reports any read outside it.
Decoded decode(const std::vector<uint8_t>& bytes) {
    std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    const ResourceBlob blob(exact.get(), static_cast<uint32_t>(bytes.size()));
    jpeg_decompress_struct cinfo{};
    JpegErrorRecord record{};
    cinfo.err = installErrorRecord(&record);
    volatile int rows = 0;
    if (setjmp(record.recoveryPoint)) {
        jpeg_destroy_decompress(&cinfo);
        Decoded failed;
        failed.rows = rows;
        return failed;
    }
    jpeg_create_decompress(&cinfo);
    installMemorySource(&cinfo, &blob);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                cinfo.output_width * cinfo.output_components, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        jpeg_read_scanlines(&cinfo, row, 1);
        rows = rows + 1;
    }
    jpeg_finish_decompress(&cinfo);
    Decoded result;
    result.ok = true;
    result.rows = rows;
    result.warnings = cinfo.err->num_warnings;
    jpeg_destroy_decompress(&cinfo);
    return result;
}

TEST(JpegMemorySource, CompleteImageDecodesWithoutRefill) {
    const Decoded result = decode(makeJpeg(64, 40));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.rows, 40);
    EXPECT_EQ(result.warnings, 0); // a refill would have warned of a premature end
}

TEST(JpegMemorySource, TruncatedImageEndsWithAWarningInsideTheData) {
    // Busy content, so that most of the bytes are scan data after the header.
    const std::vector<uint8_t> whole = makeJpeg(128, 128);
    for (size_t keep : {whole.size() / 2, whole.size() - 2, whole.size() - 1}) {
        const std::vector<uint8_t> truncated(whole.begin(), whole.begin() + keep);
        const Decoded result = decode(truncated);
        EXPECT_TRUE(result.ok) << keep;
        EXPECT_EQ(result.rows, 128) << keep;
        EXPECT_GT(result.warnings, 0) << keep;
    }
}

TEST(JpegMemorySource, BadDataEndsAtTheRecoveryPoint) {
    EXPECT_FALSE(decode({'n', 'o', 't', ' ', 'j', 'p', 'e', 'g'}).ok);
    EXPECT_FALSE(decode({0xFF}).ok);
    EXPECT_FALSE(decode({}).ok);
    std::vector<uint8_t> headerOnly = makeJpeg(16, 16);
    headerOnly.resize(20); // start of image and part of the first segment
    EXPECT_FALSE(decode(headerOnly).ok);
}

TEST(JpegMemorySource, SkipStopsAtTheEndAndIgnoresNonPositiveCounts) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    const uint8_t data[10] = {};
    const ResourceBlob blob(data, sizeof data);
    installMemorySource(&cinfo, &blob);
    jpeg_source_mgr* first = cinfo.src;

    memorySkipInputData(&cinfo, 0);
    memorySkipInputData(&cinfo, -5);
    EXPECT_EQ(cinfo.src->next_input_byte, data);
    memorySkipInputData(&cinfo, 4);
    EXPECT_EQ(cinfo.src->next_input_byte, data + 4);
    EXPECT_EQ(cinfo.src->bytes_in_buffer, 6u);
    memorySkipInputData(&cinfo, 1000);
    EXPECT_EQ(cinfo.src->next_input_byte, data + 10);
    EXPECT_EQ(cinfo.src->bytes_in_buffer, 0u);

    // A second image re-points the same source record.
    const ResourceBlob second(data + 2, 3);
    installMemorySource(&cinfo, &second);
    EXPECT_EQ(cinfo.src, first);
    EXPECT_EQ(cinfo.src->next_input_byte, data + 2);
    EXPECT_EQ(cinfo.src->bytes_in_buffer, 3u);
    jpeg_destroy_decompress(&cinfo);
}

} // namespace
