// One frame case of the benchmark's scene in a process of its own, so that
// its figure does not depend on what ran before it in the same heap:
//
//     frame_tool WIDTH HEIGHT SET MIRRORS STENCIL FRAMES [PIXELS]
//
// draws FRAMES frames (after ten to warm up) 33 ms of scene time apart and
// prints the wall-clock milliseconds a frame took, the median of the frames.
// With PIXELS, every frame's RGBA bytes are appended to that file, for a
// comparison byte for byte. Under callgrind with --collect-atstart=no it
// counts the instructions of the measured frames alone.
#include "bench/BenchmarkScene.h"
#include "scene/OpenGL.h"
#include "shared/OffscreenContext.h"
#include "shared/ControlledCounter.h"

#include <valgrind/callgrind.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr,
                     "usage: frame_tool WIDTH HEIGHT SET MIRRORS STENCIL FRAMES [PIXELS]\n");
        return 2;
    }
    const int width = std::atoi(argv[1]), height = std::atoi(argv[2]);
    const int frames = std::atoi(argv[6]);
    OffscreenContext context(width, height, std::atoi(argv[5]));
    if (!context.valid() || frames < 1) {
        std::fprintf(stderr, "frame_tool: no context of that size, or no frames\n");
        return 1;
    }
    FILE* pixels = argc > 7 ? std::fopen(argv[7], "wb") : nullptr;
    resetBenchmarkClock();
    Scene scene(width, height);
    prepareBenchmarkScene(scene, std::atoi(argv[3]));
    const uint32_t flags = std::atoi(argv[4]) != 0 ? Scene::mirrorFlag : 0;
    std::vector<double> milliseconds;
    for (int frame = -10; frame < frames; ++frame) {
        controlledCounterValue += microsecondsPerFrame;
        const auto start = std::chrono::steady_clock::now();
        const bool measured = frame >= 0;
        if (measured) {
            CALLGRIND_TOGGLE_COLLECT;
        }
        scene.renderFrame(flags);
        glFinish(); // what the buffer swap waits for
        if (measured) {
            CALLGRIND_TOGGLE_COLLECT;
        }
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        if (!measured) {
            continue;
        }
        milliseconds.push_back(took.count());
        if (pixels != nullptr) {
            const std::vector<uint8_t> image = context.readPixels();
            std::fwrite(image.data(), 1, image.size(), pixels);
        }
    }
    if (pixels != nullptr) {
        std::fclose(pixels);
    }
    std::nth_element(milliseconds.begin(), milliseconds.begin() + milliseconds.size() / 2,
                     milliseconds.end());
    std::printf("%.3f\n", milliseconds[milliseconds.size() / 2]);
    return 0;
}
