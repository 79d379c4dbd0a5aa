#include "scene/FrameLoop.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One pass of the loop as the script has it: what the host reports and what
// the picture answers.
struct Round {
    bool dark = false;
    bool resized = false;
    bool presented = true;
    int32_t sleepInterval = 41; // milliseconds
};

// A host and a picture that play a script and write down every call in order.
struct ScriptedPlatform {
    std::vector<Round> rounds;
    int64_t delay = 0;
    size_t windowsGoneAt = SIZE_MAX; // the round whose windows are gone
    size_t round = 0;
    std::string calls;

    void note(const std::string& call) { calls += (calls.empty() ? "" : " ") + call; }
    const Round& now() const { return rounds[round - 1]; }

    bool handleEvents() {
        note("events");
        return round++ < rounds.size();
    }
    bool windowsStillThere() {
        note("there");
        return round - 1 != windowsGoneAt;
    }
    bool displayOff() { return now().dark; }
    void waitWhileDark() { note("wait"); }
    bool layoutChanged(SurfaceLayout& layout) {
        if (now().resized) {
            layout = {800, 600, {{0, 0, 400, 600}, {400, 0, 400, 600}}};
        }
        return now().resized;
    }
    uint32_t frameFlags() { return 0x10000u; }
    void present() { note("present"); }
    void sleep(int64_t microseconds) { note("sleep " + std::to_string(microseconds)); }
    int64_t delayMicroseconds() { return delay; }

    // The picture's side.
    void resumeAfterPause() { note("resume"); }
    void resize(int32_t width, int32_t height, const std::vector<Viewport>& monitors) {
        note("resize " + std::to_string(width) + "x" + std::to_string(height) + "/" +
             std::to_string(monitors.size()));
    }
    bool renderFrame(uint32_t flags) {
        note(flags == 0x10000u ? "frame" : "frame with other flags");
        return now().presented;
    }
    int32_t sleepInterval() const { return now().sleepInterval; }
};

std::string play(ScriptedPlatform platform) {
    runFrameLoop(platform, platform);
    return platform.calls;
}

} // namespace

TEST(FrameLoop, EventsFirstThenOneFrameAndOneSleepOfTheLargerOfIntervalAndDelay) {
    ScriptedPlatform platform;
    platform.rounds = {{}, {false, false, false, 20}};
    // An unpresented frame still sleeps; the loop ends when the events say so.
    EXPECT_EQ(play(platform), "events there frame present sleep 41000 "
                              "events there frame sleep 20000 events");
    platform.delay = 30000; // longer than 20 ms, shorter than 41
    EXPECT_EQ(play(platform), "events there frame present sleep 41000 "
                              "events there frame sleep 30000 events");
}

TEST(FrameLoop, DarkRoundsDrawNothingAndTheFirstLightOneResumesTheClockOnce) {
    ScriptedPlatform platform;
    platform.rounds = {{true}, {true}, {}, {}};
    EXPECT_EQ(play(platform), "events there wait events there wait "
                              "events there resume frame present sleep 41000 "
                              "events there frame present sleep 41000 events");
}

TEST(FrameLoop, ANewLayoutReachesThePictureBeforeTheNextFrame) {
    ScriptedPlatform platform;
    platform.rounds = {{}, {false, true}, {}};
    EXPECT_EQ(play(platform), "events there frame present sleep 41000 "
                              "events there resize 800x600/2 frame present sleep 41000 "
                              "events there frame present sleep 41000 events");
}

TEST(FrameLoop, WindowsGoneEndTheLoopBeforeAnyFrame) {
    ScriptedPlatform platform;
    platform.rounds = {{}, {}, {}};
    platform.windowsGoneAt = 1;
    EXPECT_EQ(play(platform), "events there frame present sleep 41000 events there");
}
