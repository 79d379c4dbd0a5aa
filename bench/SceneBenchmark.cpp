// Frame cost on Mesa's llvmpipe: renderFrame for the 10- and 24-wedge sets
// with mirrors on and off at two screen sizes, and the time from Scene
// construction (decode and upload included) to the first finished frame.
#include "bench/BenchmarkScene.h"
#include "effect/SignField.h"
#include "scene/MirrorTransition.h"
#include "scene/Scene.h"
#include "shared/OffscreenContext.h"
#include "shared/ControlledCounter.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace {

// Arguments: width, height, mirror set index, mirrors on, stencil bits (with
// none, the wedges are cut by their clip planes alone, as on such a format).
void BM_RenderFrame(benchmark::State& state) {
    OffscreenContext context(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                             static_cast<int>(state.range(4)));
    resetBenchmarkClock();
    Scene scene(context.width(), context.height());
    prepareBenchmarkScene(scene, static_cast<int32_t>(state.range(2)));
    const uint32_t flags = state.range(3) != 0 ? Scene::mirrorFlag : 0;
    for (auto _ : state) {
        controlledCounterValue += microsecondsPerFrame;
        scene.renderFrame(flags);
        glFinish(); // what the buffer swap waits for
    }
    state.SetLabel(std::to_string(scene.currentMirrorSet->wedgeCount) + " wedges, mirrors " +
                   (flags != 0 ? "on" : "off") +
                   (flags != 0 && scene.wedgeOwnership.exactEdges ? ", exact edges" : ""));
}

// A desk of two monitors, 1024 x 768 and 800 x 600 to its right: one window
// over both, one animation drawn into each. Argument: mirror set index.
void BM_RenderTwoMonitors(benchmark::State& state) {
    OffscreenContext context(1824, 768);
    resetBenchmarkClock();
    Scene scene(context.width(), context.height(), {{0, 0, 1024, 768}, {1024, 168, 800, 600}});
    prepareBenchmarkScene(scene, static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        controlledCounterValue += microsecondsPerFrame;
        scene.renderFrame(Scene::mirrorFlag);
        glFinish();
    }
    state.SetLabel(std::to_string(scene.currentMirrorSet->wedgeCount) + " wedges, two monitors");
}

void BM_FirstFrame(benchmark::State& state) {
    OffscreenContext context(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        resetBenchmarkClock();
        Scene* scene = new Scene(context.width(), context.height());
        scene->renderFrame(Scene::mirrorFlag);
        glFinish();
        state.PauseTiming(); // the teardown is not part of start-up
        delete scene;
        state.ResumeTiming();
    }
}

void sizes(benchmark::internal::Benchmark* benchmark) {
    for (auto size : {std::pair{1024, 768}, std::pair{1920, 1080}}) {
        for (int set : {0, 7}) {
            for (int mirrors : {1, 0}) {
                benchmark->Args({size.first, size.second, set, mirrors, 8});
            }
            // The cost of exact wedge edges: the same frame cut by clip planes alone.
            benchmark->Args({size.first, size.second, set, 1, 0});
        }
    }
}

BENCHMARK(BM_RenderFrame)
    ->Apply(sizes)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderTwoMonitors)->Arg(0)->Arg(7)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstFrame)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

} // namespace
