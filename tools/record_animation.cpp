// Renders a short stretch of the saver off screen with Mesa and writes the
// frames as PPM files, for the animation in docs/. The scene runs on a clock
// this program sets, two minutes in (so the signs show many pictures), with
// one animated change of wedge count. Usage: record_animation <folder> [seed].
#include "effect/SignField.h"
#include "scene/MirrorTransition.h"
#include "scene/Scene.h"
#include "shared/ControlledCounter.h"
#include "shared/OffscreenContext.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int width = 400;
constexpr int height = 300;
constexpr int frames = 72;
constexpr int64_t frameStep = 83333; // microseconds: 12 frames a second

bool writeFrame(const std::string& path, const std::vector<uint8_t>& rgba) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int y = height - 1; y >= 0; --y) { // OpenGL's rows run bottom up
        for (int x = 0; x < width; ++x) {
            std::fwrite(&rgba[(static_cast<size_t>(y) * width + x) * 4], 1, 3, file);
        }
    }
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    OffscreenContext context(width, height);
    if (!context.valid()) {
        return 1;
    }
    controlledCounterFrequency = 1000000;
    controlledCounterValue = 0;
    Scene scene(width, height);
    // The scene seeds the generator from the calendar time as it is made; the
    // sign field is made again from a fixed seed, so every run draws the same.
    std::srand(argc > 2 ? std::atoi(argv[2]) : 8);
    delete scene.signField;
    scene.signField = new SignField(&scene);
    scene.signField->init();
    scene.selectMirrorSet(1, false);
    for (int64_t t = 0; t < 120000000; t += frameStep) { // two minutes of scene time
        controlledCounterValue = t;
        scene.renderFrame(Scene::mirrorFlag);
    }
    const int64_t start = controlledCounterValue;
    for (int frame = 0; frame < frames; ++frame) {
        if (frame == 24) {
            scene.selectMirrorSet(5, true); // glide from 12 to 20 wedges
        }
        controlledCounterValue = start + frame * frameStep;
        scene.renderFrame(Scene::mirrorFlag);
        char name[32];
        std::snprintf(name, sizeof name, "/frame%03d.ppm", frame);
        if (!writeFrame(argv[1] + std::string(name), context.readPixels())) {
            return 1;
        }
    }
    return 0;
}
