#include "scene/MirrorSet.h"

#include <gtest/gtest.h>

namespace {

bool keeps(const double plane[4], float x, float y) {
    return plane[0] * x + plane[1] * y + plane[3] >= 0.0;
}

TEST(MirrorSet, TheEightStandardSets) {
    const float edges[8] = {2.472135f, 2.070552f, 1.780167f, 1.560722f,
                            1.389185f, 1.251476f, 1.138519f, 1.044210f};
    for (int k = 0; k < 8; ++k) {
        const int wedges = 10 + 2 * k;
        MirrorSet set;
        buildMirrorSet(set, 360.0f / static_cast<float>(wedges));
        EXPECT_EQ(set.wedgeCount, wedges) << k;
        // The table is to six places; the 0.01745328 conversion costs a few millionths.
        EXPECT_NEAR(set.edgeLength, edges[k], 1e-5f) << k;
        EXPECT_NEAR(set.rimStart.x, 0.0f, 2e-5f);
        EXPECT_NEAR(set.rimStart.y, -4.0f, 1e-6f);
    }
}

TEST(MirrorSet, WedgeCountRuleForAnglesThatDoNotDivideTheCircle) {
    MirrorSet set;
    buildMirrorSet(set, 33.0f); // 30 degrees left after 10 wedges
    EXPECT_EQ(set.wedgeCount, 11);
    buildMirrorSet(set, 32.7272f); // 0.0008 degrees left: not more than half
    EXPECT_EQ(set.wedgeCount, 11);
    buildMirrorSet(set, 35.9f); // 0.9 degrees left after 10
    EXPECT_EQ(set.wedgeCount, 11);
    buildMirrorSet(set, 35.96f); // 0.4 degrees left
    EXPECT_EQ(set.wedgeCount, 10);
}

TEST(MirrorSet, ClipPlanesKeepExactlyTheWedgeBelowTheCentre) {
    MirrorSet set;
    buildMirrorSet(set, 36.0f);
    const float inside = (270.0f + 18.0f) * degreesToRadians;
    const float before = (270.0f - 5.0f) * degreesToRadians;
    const float after = (270.0f + 41.0f) * degreesToRadians;
    EXPECT_TRUE(keeps(set.plane0, std::cos(inside), std::sin(inside)));
    EXPECT_TRUE(keeps(set.plane1, std::cos(inside), std::sin(inside)));
    EXPECT_FALSE(keeps(set.plane0, std::cos(before), std::sin(before)));
    EXPECT_FALSE(keeps(set.plane1, std::cos(after), std::sin(after)));
}

TEST(MirrorSet, Smoothstep) {
    EXPECT_FLOAT_EQ(smoothstep(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(smoothstep(0.25f), 0.15625f); // where it parts from a straight line
    EXPECT_FLOAT_EQ(smoothstep(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(smoothstep(1.0f), 1.0f);
    // 36 to 15 degrees halfway shows 25.5.
    EXPECT_FLOAT_EQ(36.0f + smoothstep(0.5f) * (15.0f - 36.0f), 25.5f);
}

} // namespace
