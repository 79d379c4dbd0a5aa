#include "bench/BenchmarkScene.h"

#include "effect/SignField.h"
#include "scene/MirrorTransition.h"
#include "shared/ControlledCounter.h"

#include <cstdlib>

void resetBenchmarkClock() {
    clockStarted = false;
    mirrorTransition = MirrorTransition{};
    controlledCounterFrequency = 1000000;
    controlledCounterValue = 0;
}

void prepareBenchmarkScene(Scene& scene, int32_t set) {
    SignField& field = *scene.signField;
    field.driftLength = 1 << 30; // no retarget, so no change of mirror set
    scene.selectMirrorSet(set, false);
    field.uniformMode = false;
    field.randomTiles = true;
    field.baseScale = 0.75f;
    field.baseSpin = 90.0f;
    std::srand(42);
    for (int k = 0; k < SignField::signCount; ++k) {
        field.signs[k].phase = 0.04f + static_cast<float>(k) * 0.12f;
        field.signs[k].respawn();
    }
}
