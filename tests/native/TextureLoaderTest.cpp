#include "images/TextureImage.h"
#include "shared/PictureTable.h"
#include "shared/OffscreenContext.h"
#include "tests/native/support/TestJpeg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

std::string resourcePath(const char* file) {
    return std::string(DROWSEL_RESOURCES) + "/" + file;
}

// Reads a texture back from OpenGL: row 0 of the result is texture row t = 0.
std::vector<uint8_t> readTexture(GLuint texture, GLenum format, int width, int height) {
    const int components = format == GL_RGBA ? 4 : format == GL_RGB ? 3 : 1;
    std::vector<uint8_t> texels(static_cast<size_t>(width) * height * components);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

GLint textureLevelParameter(GLuint texture, GLenum name) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, name, &value);
    return value;
}

class TextureLoader : public ::testing::Test {
  protected:
    OffscreenContext context{16, 16};
    TextureImage image{};

    void SetUp() override { ASSERT_TRUE(context.valid()); }
    void TearDown() override {
        if (image.texture != 0) {
            glDeleteTextures(1, &image.texture);
        }
        clearTestImages();
    }
};

TEST_F(TextureLoader, AtlasEqualsTheReferenceDecodeWithTheMaskAsAlpha) {
    ASSERT_TRUE(loadAtlasTexture(&image, "JPEG_TAVO_RGB", "JPEG_TAVO_MASK"));
    EXPECT_EQ(image.width, 1024);
    EXPECT_EQ(image.height, 256);
    EXPECT_EQ(image.bitsPerPixel, 32);
    EXPECT_EQ(image.pixels, nullptr); // released by the upload
    ASSERT_NE(image.texture, 0u);
    EXPECT_EQ(textureLevelParameter(image.texture, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);

    const ReferencePicture colour = decodeWithDjpeg(resourcePath("JPEG_TAVO_RGB.jpg").c_str());
    const ReferencePicture mask = decodeWithDjpeg(resourcePath("JPEG_TAVO_MASK.jpg").c_str());
    ASSERT_EQ(colour.components, 3);
    ASSERT_EQ(mask.components, 1);
    ASSERT_EQ(colour.samples.size(), 1024u * 256 * 3);
    ASSERT_EQ(mask.samples.size(), 1024u * 256);
    const std::vector<uint8_t> texels = readTexture(image.texture, GL_RGBA, 1024, 256);
    size_t mismatches = 0, opaque = 0, transparent = 0;
    for (size_t pixel = 0; pixel < 1024u * 256; ++pixel) {
        for (int c = 0; c < 3; ++c) {
            mismatches += texels[pixel * 4 + c] != colour.samples[pixel * 3 + c];
        }
        mismatches += texels[pixel * 4 + 3] != mask.samples[pixel];
        opaque += texels[pixel * 4 + 3] == 255;
        transparent += texels[pixel * 4 + 3] == 0;
    }
    EXPECT_EQ(mismatches, 0u); // texel row 0 (t = 0) is the top decoded row
    // The signs show and the space around them is see-through.
    EXPECT_GT(opaque, 1024u * 256 / 3);
    EXPECT_GT(transparent, 1024u * 256 / 8);
    // The corner of every cell is transparent; its centre is opaque.
    for (int cell = 0; cell < 16; ++cell) {
        const size_t left = 128 * (cell % 8), top = 128 * (cell / 8);
        EXPECT_EQ(texels[((top + 1) * 1024 + left + 1) * 4 + 3], 0) << cell;
        EXPECT_EQ(texels[((top + 64) * 1024 + left + 64) * 4 + 3], 255) << cell;
    }
}

TEST_F(TextureLoader, LogoIsAnAlphaTextureEqualToTheReferenceDecode) {
    ASSERT_TRUE(loadSingleTexture(&image, "LOGO_MASK"));
    EXPECT_EQ(image.width, 512);
    EXPECT_EQ(image.height, 32);
    EXPECT_EQ(image.bitsPerPixel, 8);
    EXPECT_EQ(textureLevelParameter(image.texture, GL_TEXTURE_INTERNAL_FORMAT), GL_ALPHA);
    const ReferencePicture logo = decodeWithDjpeg(resourcePath("LOGO_MASK.jpg").c_str());
    ASSERT_EQ(logo.samples.size(), 512u * 32);
    EXPECT_EQ(readTexture(image.texture, GL_ALPHA, 512, 32), logo.samples);
}

TEST_F(TextureLoader, ColourImageThroughTheSingleLoaderIsRgb) {
    TestJpegOptions options;
    options.width = 32;
    options.height = 16;
    options.components = 3;
    const std::vector<uint8_t> jpeg = makeTestJpeg(options);
    setTestImage("TEST_RGB", jpeg.data(), static_cast<uint32_t>(jpeg.size()));
    ASSERT_TRUE(loadSingleTexture(&image, "TEST_RGB"));
    EXPECT_EQ(image.bitsPerPixel, 24);
    EXPECT_EQ(textureLevelParameter(image.texture, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
    EXPECT_EQ(textureLevelParameter(image.texture, GL_TEXTURE_WIDTH), 32);
}

TEST_F(TextureLoader, TextureIsClampedAndLinearWithDefaultUnpackAlignment) {
    ASSERT_TRUE(loadSingleTexture(&image, "LOGO_MASK"));
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, image.texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_CLAMP);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_CLAMP);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &value);
    EXPECT_EQ(value, 4);
}

TEST_F(TextureLoader, OddRowLengthsUploadTheReferenceTexels) {
    for (int components : {1, 3}) { // 13 and 39 bytes a row
        TestJpegOptions options;
        options.width = 13;
        options.height = 5;
        options.components = components;
        const std::vector<uint8_t> jpeg = makeTestJpeg(options);
        setTestImage("TEST_ODD", jpeg.data(), static_cast<uint32_t>(jpeg.size()));
        ASSERT_TRUE(loadSingleTexture(&image, "TEST_ODD"));
        const std::string path = testing::TempDir() + "odd-rows.jpg";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(jpeg.data(), 1, jpeg.size(), file);
        std::fclose(file);
        const ReferencePicture reference = decodeWithDjpeg(path.c_str());
        EXPECT_EQ(readTexture(image.texture, components == 1 ? GL_ALPHA : GL_RGB, 13, 5),
                  reference.samples)
            << components;
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        EXPECT_EQ(alignment, 4);
        glDeleteTextures(1, &image.texture);
        image = TextureImage{};
    }
}

TEST_F(TextureLoader, MissingMaskKeepsTheColourSizeAndMakesNoTexture) {
    setTestImage("JPEG_TAVO_MASK", nullptr, 0);
    EXPECT_FALSE(loadAtlasTexture(&image, "JPEG_TAVO_RGB", "JPEG_TAVO_MASK"));
    EXPECT_EQ(image.texture, 0u);
    EXPECT_EQ(image.width, 1024);
    EXPECT_EQ(image.height, 256);
    EXPECT_EQ(image.pixels, nullptr); // the unused buffer is released, not leaked
}

TEST_F(TextureLoader, MissingOrNonJpegResourcesFailWithTheLibraryMessage) {
    EXPECT_FALSE(loadSingleTexture(&image, "NO_SUCH_IMAGE"));
    EXPECT_FALSE(loadAtlasTexture(&image, "NO_SUCH_IMAGE", "JPEG_TAVO_MASK"));
    EXPECT_EQ(image.texture, 0u);
    EXPECT_EQ(image.width, 0);

    const uint8_t notJpeg[] = "GIF89a, not a JPEG at all";
    setTestImage("TEST_TEXT", notJpeg, sizeof notJpeg);
    const uint8_t fewBytes[] = {0xFF, 0xD8, 0xFF};
    setTestImage("TEST_FEW", fewBytes, sizeof fewBytes);
    // A record made without {} in memory that held something else: the
    // failure frees its pixel pointer, which must not be that garbage.
    alignas(TextureImage) unsigned char storage[sizeof(TextureImage)];
    std::memset(storage, 0xA5, sizeof storage);
    TextureImage* unwritten = new (storage) TextureImage;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(loadSingleTexture(&image, "TEST_TEXT"));
    EXPECT_FALSE(loadSingleTexture(&image, "TEST_FEW"));
    EXPECT_FALSE(loadAtlasTexture(&image, "JPEG_TAVO_RGB", "TEST_TEXT"));
    EXPECT_FALSE(loadSingleTexture(unwritten, "TEST_TEXT"));
    EXPECT_EQ(unwritten->pixels, nullptr);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("Not a JPEG file"), std::string::npos) << messages;
    EXPECT_EQ(image.texture, 0u);
    EXPECT_EQ(image.pixels, nullptr);
}

// Images outside the embedded properties: each is rejected or decoded as far
// as it goes, with nothing read or written outside the buffers (the
// sanitizers watch) and no texture left half made.
TEST_F(TextureLoader, ImagesOutsideTheEmbeddedPropertiesAreHandledSafely) {
    const EmbeddedImageEntry* colour = builtInImage("JPEG_TAVO_RGB");
    ASSERT_NE(colour, nullptr);

    // Truncated colour data: the library warns, ends the image, the load completes.
    const std::vector<uint8_t> truncated(colour->data, colour->data + colour->size / 2);
    setTestImage("TEST_TRUNCATED", truncated.data(), static_cast<uint32_t>(truncated.size()));
    testing::internal::CaptureStderr();
    TextureImage truncatedImage{};
    EXPECT_TRUE(loadAtlasTexture(&truncatedImage, "TEST_TRUNCATED", "JPEG_TAVO_MASK"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Premature end"), std::string::npos);
    glDeleteTextures(1, &truncatedImage.texture);

    // A corrupt Huffman table segment.
    std::vector<uint8_t> corrupt(colour->data, colour->data + colour->size);
    for (size_t i = 0; i + 1 < corrupt.size(); ++i) {
        if (corrupt[i] == 0xFF && corrupt[i + 1] == 0xC4) {
            for (size_t k = i + 5; k < i + 21; ++k) {
                corrupt[k] = 0xFF; // code counts far beyond what a table holds
            }
            break;
        }
    }
    setTestImage("TEST_CORRUPT", corrupt.data(), static_cast<uint32_t>(corrupt.size()));

    // 12-bit samples: the precision byte of the frame header says 12.
    std::vector<uint8_t> twelveBit(colour->data, colour->data + colour->size);
    for (size_t i = 0; i + 4 < twelveBit.size(); ++i) {
        if (twelveBit[i] == 0xFF && twelveBit[i + 1] == 0xC0) {
            twelveBit[i + 4] = 12;
            break;
        }
    }
    setTestImage("TEST_TWELVE_BIT", twelveBit.data(), static_cast<uint32_t>(twelveBit.size()));

    TestJpegOptions cmykOptions;
    cmykOptions.components = 4;
    const std::vector<uint8_t> cmyk = makeTestJpeg(cmykOptions);
    setTestImage("TEST_CMYK", cmyk.data(), static_cast<uint32_t>(cmyk.size()));

    TestJpegOptions progressiveOptions;
    progressiveOptions.components = 3;
    progressiveOptions.progressive = true;
    const std::vector<uint8_t> progressive = makeTestJpeg(progressiveOptions);
    setTestImage("TEST_PROGRESSIVE", progressive.data(), static_cast<uint32_t>(progressive.size()));

    TestJpegOptions smallMaskOptions;
    smallMaskOptions.width = 512;
    smallMaskOptions.height = 256;
    const std::vector<uint8_t> smallMask = makeTestJpeg(smallMaskOptions);
    setTestImage("TEST_SMALL_MASK", smallMask.data(), static_cast<uint32_t>(smallMask.size()));

    // Frame headers claiming other widths than the scan data holds: past the
    // side limit, and at it, where the rows overrun the data (and, in the
    // atlas, fill the whole row buffer).
    auto withWidth = [](const EmbeddedImageEntry* picture, int width) {
        std::vector<uint8_t> bytes(picture->data, picture->data + picture->size);
        for (size_t i = 0; i + 8 < bytes.size(); ++i) {
            if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
                bytes[i + 7] = static_cast<uint8_t>(width >> 8);
                bytes[i + 8] = static_cast<uint8_t>(width & 0xFF);
                break;
            }
        }
        return bytes;
    };
    const EmbeddedImageEntry* mask = builtInImage("JPEG_TAVO_MASK");
    const std::vector<uint8_t> tooWide = withWidth(colour, 8193);
    setTestImage("TEST_TOO_WIDE", tooWide.data(), static_cast<uint32_t>(tooWide.size()));
    const std::vector<uint8_t> tooWideMask = withWidth(mask, 8193);
    setTestImage("TEST_TOO_WIDE_MASK", tooWideMask.data(),
                 static_cast<uint32_t>(tooWideMask.size()));
    const std::vector<uint8_t> widest = withWidth(colour, 8192);
    setTestImage("TEST_WIDEST", widest.data(), static_cast<uint32_t>(widest.size()));
    const std::vector<uint8_t> widestMask = withWidth(mask, 8192);
    setTestImage("TEST_WIDEST_MASK", widestMask.data(), static_cast<uint32_t>(widestMask.size()));

    testing::internal::CaptureStderr();
    TextureImage widestImage{}; // decoded as far as the data goes, or refused; never overrun
    loadAtlasTexture(&widestImage, "TEST_WIDEST", "TEST_WIDEST_MASK");
    glDeleteTextures(1, &widestImage.texture);
    struct Case {
        const char* colourName;
        const char* maskName;
    };
    for (const Case& rejected :
         {Case{"TEST_CORRUPT", "JPEG_TAVO_MASK"}, Case{"TEST_TWELVE_BIT", "JPEG_TAVO_MASK"},
          Case{"TEST_CMYK", "JPEG_TAVO_MASK"},            // four components
          Case{"JPEG_TAVO_MASK", "JPEG_TAVO_MASK"},       // one component
          Case{"JPEG_TAVO_RGB", "TEST_SMALL_MASK"},       // other size
          Case{"JPEG_TAVO_RGB", "JPEG_TAVO_RGB"},         // three components
          Case{"TEST_TOO_WIDE", "TEST_TOO_WIDE_MASK"}}) { // over the side limit
        TextureImage rejectedImage{};
        EXPECT_FALSE(loadAtlasTexture(&rejectedImage, rejected.colourName, rejected.maskName))
            << rejected.colourName << " " << rejected.maskName;
        EXPECT_EQ(rejectedImage.texture, 0u);
        EXPECT_EQ(rejectedImage.pixels, nullptr);
    }
    // The single loader takes what the library can decode, in its own channels.
    TextureImage cmykImage{};
    EXPECT_TRUE(loadSingleTexture(&cmykImage, "TEST_CMYK"));
    EXPECT_EQ(cmykImage.bitsPerPixel, 32);
    glDeleteTextures(1, &cmykImage.texture);
    TextureImage progressiveImage{};
    EXPECT_TRUE(loadSingleTexture(&progressiveImage, "TEST_PROGRESSIVE"));
    EXPECT_EQ(progressiveImage.bitsPerPixel, 24);
    glDeleteTextures(1, &progressiveImage.texture);
    TextureImage twelveBitImage{};
    EXPECT_FALSE(loadSingleTexture(&twelveBitImage, "TEST_TWELVE_BIT"));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("precision"), std::string::npos) << messages;
}

} // namespace
