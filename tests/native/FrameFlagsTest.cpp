#include "host/FrameFlags.h"
#include "host/DisplayPower.h"

#include <gtest/gtest.h>

TEST(FrameFlags, OnlyBitSixteenCarriesTheMirrorsOption) {
    EXPECT_EQ(frameFlags(0), 0u);
    EXPECT_EQ(frameFlags(1), 0x10000u);
    // Any stored non-zero value means on, never a different bit pattern.
    EXPECT_EQ(frameFlags(2), 0x10000u);
    EXPECT_EQ(frameFlags(0xFFFFFFFFu), 0x10000u);
}

TEST(DisplayPower, OnlyADisplayThatIsOffStopsTheFrames) {
    EXPECT_FALSE(framesDrawnWhileDisplayIs(0));
    EXPECT_TRUE(framesDrawnWhileDisplayIs(1)); // on
    EXPECT_TRUE(framesDrawnWhileDisplayIs(2)); // dimmed, still seen
    // A state no system defines keeps the saver drawing rather than dark for good.
    EXPECT_TRUE(framesDrawnWhileDisplayIs(3));
    EXPECT_TRUE(framesDrawnWhileDisplayIs(0xFFFFFFFFu));
}
