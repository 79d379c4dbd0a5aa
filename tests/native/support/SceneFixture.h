#pragma once

#include "effect/SignField.h"
#include "scene/MirrorTransition.h"
#include "scene/Scene.h"
#include "shared/OffscreenContext.h"
#include "shared/ControlledCounter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

// A real Scene on a Mesa surface, with a clock the test sets: the counter
// runs at 1 MHz from an arbitrary start, and the process-wide clock and
// transition start afresh for every test.
class SceneFixture : public ::testing::Test {
  protected:
    static constexpr int64_t frequency = 1000000;
    static constexpr int64_t counterStart = 7000000;

    explicit SceneFixture(int width = 128, int height = 128) : context(width, height) {}

    void SetUp() override {
        ASSERT_TRUE(context.valid());
        clockStarted = false;
        mirrorTransition = MirrorTransition{};
        controlledCounterFrequency = frequency;
        controlledCounterValue = counterStart;
        scene = std::make_unique<Scene>(context.width(), context.height());
    }

    void TearDown() override { scene.reset(); }

    void setTime(double seconds) {
        controlledCounterValue = counterStart + static_cast<int64_t>(seconds * frequency + 0.5);
    }

    // Renders one frame at the given scene time.
    void frameAt(double seconds, uint32_t flags = Scene::mirrorFlag) {
        setTime(seconds);
        scene->renderFrame(flags);
    }

    SignField& field() { return *scene->signField; }

    OffscreenContext context;
    std::unique_ptr<Scene> scene;
};
