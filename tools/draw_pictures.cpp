// Draws the three embedded pictures and writes them with libjpeg's compressor:
// JPEG_TAVO_RGB.jpg (sixteen signs on black), JPEG_TAVO_MASK.jpg (their
// coverage) and LOGO_MASK.jpg (the word DROWSEL, white on black, with metadata
// segments and a restart interval). Usage: draw_pictures <output folder>.
// The same program and library always write the same bytes.
#include "tools/SignArtwork.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int atlasWidth = 1024;
constexpr int atlasHeight = 256;
constexpr int logoWidth = 512;
constexpr int logoHeight = 32;

struct Picture {
    int width;
    int height;
    int components;
    std::vector<uint8_t> samples;
};

struct Segment {
    int marker;
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> bytesOf(const char* text, size_t length) {
    return std::vector<uint8_t>(text, text + length);
}

void append(std::vector<uint8_t>& bytes, const std::vector<uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
}

// A minimal little-endian TIFF with one IFD holding Orientation = 1.
Segment exifSegment() {
    std::vector<uint8_t> bytes = bytesOf("Exif\0\0", 6);
    append(bytes, {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0, 0x12, 0x01, 3,
                   0,   1,   0,  0, 0, 1, 0, 0, 0, 0, 0,    0,    0});
    return {JPEG_APP0 + 1, bytes};
}

// An image editor's resource block: "Photoshop 3.0" with one empty IPTC record.
Segment imageEditorSegment() {
    std::vector<uint8_t> bytes = bytesOf("Photoshop 3.0\0", 14);
    append(bytes, {'8', 'B', 'I', 'M', 0x04, 0x04, 0, 0, 0, 0, 0, 0});
    return {JPEG_APP0 + 13, bytes};
}

Segment xmpSegment() {
    const char header[] = "http://ns.adobe.com/xap/1.0/";
    std::vector<uint8_t> bytes = bytesOf(header, sizeof header);
    const std::string packet =
        "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
        "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
        "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
        "<rdf:Description rdf:about='' xmlns:dc='http://purl.org/dc/elements/1.1/'>"
        "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>Drowsel logo</rdf:li></rdf:Alt>"
        "</dc:title></rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end='w'?>";
    append(bytes, bytesOf(packet.data(), packet.size()));
    return {JPEG_APP0 + 1, bytes};
}

// Adobe segment: version 100, no flags, transform 0 (no colour transform).
Segment adobeSegment() {
    std::vector<uint8_t> bytes = bytesOf("Adobe", 5);
    append(bytes, {0, 100, 0, 0, 0, 0, 0});
    return {JPEG_APP0 + 14, bytes};
}

bool writeJpeg(const std::string& path, const Picture& picture, int jfifMinorVersion,
               unsigned restartInterval, const std::vector<Segment>& segments) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errorManager;
    cinfo.err = jpeg_std_error(&errorManager);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = picture.components;
    cinfo.in_color_space = picture.components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 92, TRUE);
    if (picture.components == 3) {
        // Luminance 2 x 2, both chrominance components 1 x 1.
        cinfo.comp_info[0].h_samp_factor = 2;
        cinfo.comp_info[0].v_samp_factor = 2;
        cinfo.comp_info[1].h_samp_factor = 1;
        cinfo.comp_info[1].v_samp_factor = 1;
        cinfo.comp_info[2].h_samp_factor = 1;
        cinfo.comp_info[2].v_samp_factor = 1;
    }
    cinfo.write_JFIF_header = TRUE;
    cinfo.JFIF_major_version = 1;
    cinfo.JFIF_minor_version = static_cast<UINT8>(jfifMinorVersion);
    cinfo.density_unit = 1;
    cinfo.X_density = 72;
    cinfo.Y_density = 72;
    cinfo.write_Adobe_marker = FALSE;
    cinfo.optimize_coding = FALSE;
    cinfo.restart_interval = restartInterval;
    jpeg_start_compress(&cinfo, TRUE);
    for (const Segment& segment : segments) {
        jpeg_write_marker(&cinfo, segment.marker, segment.bytes.data(),
                          static_cast<unsigned>(segment.bytes.size()));
    }
    const size_t rowLength = static_cast<size_t>(picture.width) * picture.components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(picture.samples.data() + cinfo.next_scanline * rowLength);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const bool closed = std::fclose(file) == 0;
    if (!closed) {
        std::perror(path.c_str());
    }
    return closed;
}

void drawAtlas(Picture& colour, Picture& mask) {
    colour = {atlasWidth, atlasHeight, 3, std::vector<uint8_t>(atlasWidth * atlasHeight * 3)};
    mask = {atlasWidth, atlasHeight, 1, std::vector<uint8_t>(atlasWidth * atlasHeight)};
    for (int cell = 0; cell < signCount; ++cell) {
        const int left = signCellSize * (cell % 8);
        const int top = signCellSize * (cell / 8);
        for (int y = 0; y < signCellSize; ++y) {
            for (int x = 0; x < signCellSize; ++x) {
                const SignSample sample = sampleSign(cell, x, y);
                const size_t pixel = static_cast<size_t>(top + y) * atlasWidth + left + x;
                std::memcpy(&colour.samples[pixel * 3], sample.colour, 3);
                mask.samples[pixel] = sample.coverage;
            }
        }
    }
}

void drawLogo(Picture& logo) {
    logo = {logoWidth, logoHeight, 1, std::vector<uint8_t>(logoWidth * logoHeight)};
    for (int y = 0; y < logoHeight; ++y) {
        for (int x = 0; x < logoWidth; ++x) {
            logo.samples[static_cast<size_t>(y) * logoWidth + x] =
                sampleLogo(x, y, logoWidth, logoHeight);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    Picture colour, mask, logo;
    drawAtlas(colour, mask);
    drawLogo(logo);
    const bool written =
        writeJpeg(folder + "/JPEG_TAVO_RGB.jpg", colour, 1, 0, {}) &&
        writeJpeg(folder + "/JPEG_TAVO_MASK.jpg", mask, 1, 0, {}) &&
        writeJpeg(folder + "/LOGO_MASK.jpg", logo, 2, 64,
                  {exifSegment(), imageEditorSegment(), xmpSegment(), adobeSegment()});
    return written ? 0 : 1;
}
