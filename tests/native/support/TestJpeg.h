#pragma once

#include <cstdint>
#include <vector>

#include <cstdio>

#include <jpeglib.h>

// JPEG images made by the library's own compressor for tests, with busy
// content so that most bytes are scan data, and a comment segment that the
// decoder has to skip.
struct TestJpegOptions {
    int width = 64;
    int height = 64;
    int components = 1; // 1 grey, 3 RGB, 4 CMYK
    bool progressive = false;
};

std::vector<uint8_t> makeTestJpeg(const TestJpegOptions& options);

// A picture read back by the reference decoder djpeg: PNM samples, top row first.
struct ReferencePicture {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<uint8_t> samples;
};

ReferencePicture decodeWithDjpeg(const char* path);
