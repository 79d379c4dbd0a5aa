#include "host/InputWatch.h"
#include "host/ClosePolicy.h"

#include <gtest/gtest.h>

#include <climits>

TEST(InputWatch, OnlyTheFullScreenSaverOutsideAPasswordCheckWatches) {
    EXPECT_TRUE(isWatched(RunMode::Saver, 0));
    EXPECT_FALSE(isWatched(RunMode::Saver, 1));
    EXPECT_FALSE(isWatched(RunMode::Preview, 0));
    EXPECT_FALSE(isWatched(RunMode::Configure, 0));
}

TEST(InputWatch, MouseTravelIsStrictOnEitherAxis) {
    const ScreenPoint reference{100, 200};
    EXPECT_FALSE(mouseTravelEndsSaver(reference, {150, 200}, 50));
    EXPECT_FALSE(mouseTravelEndsSaver(reference, {50, 150}, 50));
    EXPECT_FALSE(mouseTravelEndsSaver(reference, {150, 250}, 50));
    EXPECT_TRUE(mouseTravelEndsSaver(reference, {151, 200}, 50));
    EXPECT_TRUE(mouseTravelEndsSaver(reference, {100, 149}, 50));
    // Threshold 0: any pixel closes; a negative one closes even without travel.
    EXPECT_FALSE(mouseTravelEndsSaver(reference, reference, 0));
    EXPECT_TRUE(mouseTravelEndsSaver(reference, {101, 200}, 0));
    EXPECT_TRUE(mouseTravelEndsSaver(reference, reference, -1));
}

TEST(InputWatch, ExtremeCoordinatesDoNotOverflow) {
    EXPECT_TRUE(mouseTravelEndsSaver({INT_MIN, 0}, {INT_MAX, 0}, INT_MAX));
    EXPECT_FALSE(mouseTravelEndsSaver({INT_MIN, INT_MIN}, {INT_MIN, INT_MIN}, 0));
}

TEST(InputWatch, TravelOnANewDeskOrJustAfterItWasToldIsTheSystems) {
    struct Case {
        bool deskDiffers;
        uint32_t deskChanged, nowTick, deskChangeTick;
        bool bySystem;
    } cases[] = {
        {false, 0, 5000, 0, false},         // no change ever told
        {true, 0, 5000, 0, true},           // moved before the change is told
        {false, 1, 5000, 4000, true},       // the boundary of the settling time
        {false, 1, 5001, 4000, false},      // the user's, a moment later
        {false, 1, 500, 0xFFFFFF00u, true}, // the tick counter wrapped
        {false, 1, 4000, 5000, false},      // a change "later" is long ago
    };
    for (const Case& c : cases) {
        EXPECT_EQ(travelMadeByDesk(c.deskDiffers, c.deskChanged, c.nowTick, c.deskChangeTick),
                  c.bySystem)
            << c.nowTick << " " << c.deskChangeTick;
    }
}

TEST(InputWatch, SystemCommandsAndActivation) {
    EXPECT_TRUE(swallowsSystemCommand(RunMode::Saver, 0xF140));
    EXPECT_TRUE(swallowsSystemCommand(RunMode::Saver, 0xF060));
    EXPECT_FALSE(swallowsSystemCommand(RunMode::Saver, 0xF141));
    EXPECT_FALSE(swallowsSystemCommand(RunMode::Saver, 0xF06F));
    EXPECT_FALSE(swallowsSystemCommand(RunMode::Preview, 0xF140));
    EXPECT_TRUE(activationLost(0));
    EXPECT_TRUE(activationLost(0x10000));
    EXPECT_FALSE(activationLost(1));
    EXPECT_FALSE(activationLost(2));
}

// The guards (no close asked for, a check running) are in the sequence below.
TEST(ClosePolicy, GraceDelayBoundary) {
    EXPECT_EQ(decideClose(1, 0, 15000, 0, 15), CloseDecision::Destroy);
    EXPECT_EQ(decideClose(1, 0, 15001, 0, 15), CloseDecision::AskForPassword);
    EXPECT_EQ(decideClose(1, 0, 1000, 1000, 0), CloseDecision::Destroy);
    EXPECT_EQ(decideClose(1, 0, 1001, 1000, 0), CloseDecision::AskForPassword);
}

TEST(ClosePolicy, TickCounterWrapGivesTheRightElapsedTime) {
    const uint32_t start = 0xFFFFF000u; // 4096 ms before the wrap
    EXPECT_EQ(decideClose(1, 0, 10000, start, 15), CloseDecision::Destroy);
    EXPECT_EQ(decideClose(1, 0, 20000, start, 15), CloseDecision::AskForPassword);
}

// Watching -> Close pending -> Checking -> Armed after a refusal, and the next
// input asks again: the flags of the saver state drive every step.
TEST(ClosePolicy, RefusedPasswordArmsTheSaverAndTheNextInputAsksAgain) {
    SaverState state;
    state.passwordDelay = 1;
    state.startTick = 1000;
    EXPECT_TRUE(isWatched(RunMode::Saver, state.passwordCheckActive));
    EXPECT_EQ(decideClose(state.closeRequested, state.passwordCheckActive, 5000, state.startTick,
                          state.passwordDelay),
              CloseDecision::Ignore); // a stray close before any input

    state.closeRequested = 1; // input asked to close
    EXPECT_EQ(decideClose(state.closeRequested, state.passwordCheckActive, 5000, state.startTick,
                          state.passwordDelay),
              CloseDecision::AskForPassword);

    state.passwordCheckActive = 1; // the dialog is up
    EXPECT_FALSE(isWatched(RunMode::Saver, state.passwordCheckActive));
    EXPECT_EQ(decideClose(state.closeRequested, state.passwordCheckActive, 5100, state.startTick,
                          state.passwordDelay),
              CloseDecision::Ignore);

    state.passwordCheckActive = 0; // refused: armed, still running
    EXPECT_TRUE(isWatched(RunMode::Saver, state.passwordCheckActive));
    EXPECT_EQ(decideClose(state.closeRequested, state.passwordCheckActive, 9000, state.startTick,
                          state.passwordDelay),
              CloseDecision::AskForPassword);
}
