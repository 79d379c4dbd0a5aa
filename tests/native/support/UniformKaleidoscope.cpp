#include "tests/native/support/UniformKaleidoscope.h"

#include "effect/SignField.h"
#include "scene/OpenGL.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double pi = 3.14159265358979;

} // namespace

void replaceTexture(uint32_t& texture, const std::vector<uint8_t>& texel) {
    const GLenum format = texel.size() == 1 ? GL_ALPHA : GL_RGBA;
    std::vector<uint8_t> texels;
    for (int k = 0; k < 16; ++k) {
        texels.insert(texels.end(), texel.begin(), texel.end());
    }
    GLuint name = texture;
    glDeleteTextures(1, &name);
    glGenTextures(1, &name);
    texture = name;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, format, 4, 4, 0, format, GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
}

void placeSign(Scene& scene, int k, double x, double y, double scale, int tile, double time) {
    Sign& sign = scene.signField->signs[k];
    const double edge = scene.currentMirrorSet->edgeLength;
    const double phase = (x + edge) / (3.0 * edge);
    sign.birthTime = static_cast<float>(time - phase / Sign::phaseRate);
    sign.position.y = static_cast<float>(y);
    sign.position.z = 0.0f;
    sign.scale = static_cast<float>(scale);
    sign.spin = 0.0f;
    sign.blink = 0;
    sign.showCell(tile, scene.signField->textures->atlas);
}

void coverWedgesUniformly(Scene& scene, double time) {
    SignField& field = *scene.signField;
    replaceTexture(field.textures->atlas.texture, {255, 255, 255, 40});
    replaceTexture(field.textures->logo.texture, {0});
    field.driftLength = 1 << 30; // no retarget, so no change of mirror set
    for (int k = 0; k < SignField::signCount; ++k) {
        placeSign(scene, k, 0.5, -6.0, 14.0, 0, time);
    }
}

int seamPixels(const std::vector<uint8_t>& image, int width, int height, const MirrorSet& set) {
    const double centreX = width / 2.0, centreY = height / 2.0;
    auto grey = [&](int x, int y) { return image[(static_cast<size_t>(y) * width + x) * 4]; };
    std::vector<char> checked(static_cast<size_t>(width) * height);
    // Where the last pass reaches over the first, both are drawn: not a seam.
    const int lastPass = (set.wedgeCount - 1) / 2 * 2;
    const double overlap = (lastPass + 2) * set.wedgeAngle - 360.0; // degrees
    auto inOverlap = [&](int x, int y) {
        const double dx = x + 0.5 - centreX, dy = y + 0.5 - centreY;
        const double margin = 2.0 / std::hypot(dx, dy) * 180.0 / pi; // two pixels
        const double from = std::atan2(dy, dx) * 180.0 / pi - (270.0 - set.wedgeAngle);
        const double turned = from - 360.0 * std::floor(from / 360.0 + 0.5); // -180..180
        return overlap > 0.0 && turned > -margin && turned < overlap + margin;
    };
    int seams = 0;
    for (int k = -1; k <= set.wedgeCount + 1; ++k) {
        const double direction = (270.0 + k * set.wedgeAngle) * pi / 180.0;
        const double ux = std::cos(direction), uy = std::sin(direction);
        auto offEdge = [&](int x, int y) { // distance from the edge, -1 behind the centre
            const double dx = x + 0.5 - centreX, dy = y + 0.5 - centreY;
            return dx * ux + dy * uy >= 0.0 ? std::abs(dx * uy - dy * ux) : -1.0;
        };
        for (double along = 0.0; along < width + height; along += 0.25) {
            const int nearX = static_cast<int>(centreX + along * ux);
            const int nearY = static_cast<int>(centreY + along * uy);
            for (int y = nearY - 2; y <= nearY + 2; ++y) {
                for (int x = nearX - 2; x <= nearX + 2; ++x) {
                    if (x < 3 || y < 3 || x >= width - 3 || y >= height - 3 ||
                        checked[static_cast<size_t>(y) * width + x] || offEdge(x, y) < 0.0 ||
                        offEdge(x, y) > 1.0 || inOverlap(x, y)) {
                        continue;
                    }
                    checked[static_cast<size_t>(y) * width + x] = 1;
                    int low = 255, high = 0;
                    for (int wy = y - 3; wy <= y + 3; ++wy) {
                        for (int wx = x - 3; wx <= x + 3; ++wx) {
                            if (offEdge(wx, wy) > 1.2) {
                                low = std::min<int>(low, grey(wx, wy));
                                high = std::max<int>(high, grey(wx, wy));
                            }
                        }
                    }
                    const int own = grey(x, y);
                    seams += low <= high && high - low <= 2 && (own < low - 3 || own > high + 3);
                }
            }
        }
    }
    return seams;
}
