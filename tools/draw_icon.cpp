// Draws the program's icon, a yellow diamond warning sign with a black rim and
// an exclamation mark, as a Windows .ico with 32 x 32 and 16 x 16 16-colour
// images. Usage: draw_icon <output.ico>. The same program always writes the
// same bytes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// The standard 16-colour palette, as blue, green, red, reserved.
const uint8_t palette[16][4] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0},
};
constexpr int black = 0;
constexpr int yellow = 11;
constexpr int transparent = -1;

// Colour index of pixel (x, y), y counted from the top, in a size x size icon.
int signPixel(int x, int y, int size) {
    const double centre = (size - 1) / 2.0;
    const double u = (x - centre) / (size / 2.0);
    const double v = (y - centre) / (size / 2.0);
    const double diamond = std::fabs(u) + std::fabs(v);
    if (diamond > 1.0) {
        return transparent;
    }
    if (diamond > 0.78) {
        return black;
    }
    const double barWidth = 0.09;
    if (std::fabs(u) <= barWidth && v >= -0.45 && v <= 0.18) {
        return black;
    }
    if (std::fabs(u) <= barWidth && v >= 0.30 && v <= 0.45) {
        return black;
    }
    return yellow;
}

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// A DIB of the icon: header, palette, 4-bit colour rows and the 1-bit AND
// mask, both bottom-up with rows padded to 32 bits.
std::vector<uint8_t> iconImage(int size) {
    std::vector<uint8_t> out;
    const int colourRow = ((size * 4 + 31) / 32) * 4;
    const int maskRow = ((size + 31) / 32) * 4;
    put32(out, 40);
    put32(out, size);
    put32(out, size * 2); // colour and mask together
    put16(out, 1);
    put16(out, 4);
    put32(out, 0);
    put32(out, (colourRow + maskRow) * size);
    put32(out, 0);
    put32(out, 0);
    put32(out, 16);
    put32(out, 0);
    for (const auto& entry : palette) {
        out.insert(out.end(), entry, entry + 4);
    }
    for (int row = size - 1; row >= 0; --row) {
        std::vector<uint8_t> bytes(colourRow, 0);
        for (int x = 0; x < size; ++x) {
            const int index = signPixel(x, row, size);
            const int colour = index == transparent ? black : index;
            bytes[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? colour << 4 : colour);
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    for (int row = size - 1; row >= 0; --row) {
        std::vector<uint8_t> bytes(maskRow, 0);
        for (int x = 0; x < size; ++x) {
            if (signPixel(x, row, size) == transparent) {
                bytes[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_icon <output.ico>\n");
        return 2;
    }
    const int sizes[2] = {32, 16};
    std::vector<uint8_t> images[2] = {iconImage(32), iconImage(16)};
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, 2);
    uint32_t offset = 6 + 16 * 2;
    for (int index = 0; index < 2; ++index) {
        out.push_back(static_cast<uint8_t>(sizes[index]));
        out.push_back(static_cast<uint8_t>(sizes[index]));
        out.push_back(16);
        out.push_back(0);
        put16(out, 1);
        put16(out, 4);
        put32(out, static_cast<uint32_t>(images[index].size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(images[index].size());
    }
    for (const auto& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size() ||
        std::fclose(file) != 0) {
        std::fprintf(stderr, "draw_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
