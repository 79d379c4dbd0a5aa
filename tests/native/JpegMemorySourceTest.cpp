#include "images/JpegMemorySource.h"
#include "images/JpegErrorRecord.h"
#include "shared/PictureTable.h"
#include "tests/native/support/TestJpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

std::vector<uint8_t> makeJpeg(int width, int height) {
    TestJpegOptions options;
    options.width = width;
    options.height = height;
    return makeTestJpeg(options);
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

TEST(JpegMemorySource, EmbeddedPicturesDecodeWithoutRefill) {
    // The logo's metadata segments are skipped; no picture runs out of data.
    for (const char* name : {"JPEG_TAVO_RGB", "JPEG_TAVO_MASK", "LOGO_MASK"}) {
        const EmbeddedImageEntry* entry = builtInImage(name);
        ASSERT_NE(entry, nullptr) << name;
        const Decoded result = decode(std::vector<uint8_t>(entry->data, entry->data + entry->size));
        EXPECT_TRUE(result.ok) << name;
        EXPECT_EQ(result.rows, name[0] == 'L' ? 32 : 256) << name;
        EXPECT_EQ(result.warnings, 0) << name;
    }
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
