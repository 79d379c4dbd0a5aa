#include "tests/native/support/SceneFixture.h"

#include <cmath>

namespace {

class MirrorSelection : public SceneFixture {
  protected:
    // Advances the clock alone, so no sign drift can start a transition.
    const MirrorSet& drawnAt(double seconds) {
        setTime(seconds);
        scene->clock.tickClock();
        return scene->mirrorSetToDraw();
    }
};

TEST_F(MirrorSelection, ConstructionPicksOneOfTheEightSetsWithoutATransition) {
    ASSERT_NE(scene->currentMirrorSet, nullptr);
    const std::ptrdiff_t index = scene->currentMirrorSet - scene->mirrorSets;
    EXPECT_GE(index, 0);
    EXPECT_LT(index, 8);
    EXPECT_FALSE(mirrorTransition.active);
}

TEST_F(MirrorSelection, IndexWrapsModuloEight) {
    scene->selectMirrorSet(8, false);
    EXPECT_EQ(scene->currentMirrorSet, &scene->mirrorSets[0]);
    scene->selectMirrorSet(13, false);
    EXPECT_EQ(scene->currentMirrorSet, &scene->mirrorSets[5]);
    scene->selectMirrorSet(-1, false); // a negative index still names a set
    EXPECT_EQ(scene->currentMirrorSet, &scene->mirrorSets[7]);
}

TEST_F(MirrorSelection, AnimatedChangeGlidesAlongSmoothstepAndEndsAtTwoSeconds) {
    scene->selectMirrorSet(0, false); // 36 degrees
    drawnAt(10.0);
    scene->selectMirrorSet(7, true);                  // to 15 degrees
    EXPECT_FLOAT_EQ(drawnAt(10.0).wedgeAngle, 36.0f); // progress 0 in the same frame
    // Scene time holds milliseconds times 0.001f: 11 s is 11.000001.
    EXPECT_NEAR(drawnAt(11.0).wedgeAngle, 25.5f, 1e-4f);
    EXPECT_EQ(drawnAt(11.0).wedgeCount, 15); // 14 wedges leave 3 degrees uncovered
    EXPECT_TRUE(mirrorTransition.active);
    const MirrorSet& last = drawnAt(12.0);
    EXPECT_EQ(&last, &mirrorTransition.scratchSet); // drawn at exactly the to angle
    EXPECT_FLOAT_EQ(last.wedgeAngle, 15.0f);
    EXPECT_FALSE(mirrorTransition.active);
    EXPECT_EQ(&drawnAt(12.04), &scene->mirrorSets[7]);
}

TEST_F(MirrorSelection, AnimatedSelectionDuringATransitionContinuesFromTheAngleOnScreen) {
    scene->selectMirrorSet(0, false);
    drawnAt(4.0);
    scene->selectMirrorSet(7, true);
    drawnAt(5.0);
    scene->selectMirrorSet(1, true); // to 30 degrees, from 25.5
    EXPECT_NEAR(mirrorTransition.fromAngle, 25.5f, 1e-4f);
    EXPECT_FLOAT_EQ(mirrorTransition.toAngle, 30.0f);
    EXPECT_NEAR(drawnAt(5.0).wedgeAngle, 25.5f, 1e-4f); // no jump
    EXPECT_TRUE(mirrorTransition.active);
    EXPECT_FLOAT_EQ(drawnAt(7.0).wedgeAngle, 30.0f); // a fresh two seconds
}

TEST_F(MirrorSelection, PlainSelectionDuringATransitionChangesOnlyTheCurrentSet) {
    scene->selectMirrorSet(0, false);
    drawnAt(1.0);
    scene->selectMirrorSet(7, true);
    scene->selectMirrorSet(3, false); // the signs now use 22.5 degrees' edge
    EXPECT_EQ(scene->currentMirrorSet, &scene->mirrorSets[3]);
    EXPECT_NEAR(drawnAt(2.0).wedgeAngle, 25.5f, 1e-4f); // still gliding toward 15
    EXPECT_FLOAT_EQ(drawnAt(3.0).wedgeAngle, 15.0f);
    EXPECT_EQ(&drawnAt(3.1), &scene->mirrorSets[3]);
}

TEST_F(MirrorSelection, SelectingTheCurrentSetAnimatedRunsBetweenEqualAngles) {
    scene->selectMirrorSet(2, false);
    drawnAt(0.5);
    scene->selectMirrorSet(2, true);
    EXPECT_FLOAT_EQ(drawnAt(1.5).wedgeAngle, scene->mirrorSets[2].wedgeAngle);
    EXPECT_TRUE(mirrorTransition.active);
    drawnAt(2.5);
    EXPECT_FALSE(mirrorTransition.active);
}

} // namespace
