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
    EXPECT_TRUE(displayIsOff(0));
    EXPECT_FALSE(displayIsOff(1)); // on
    EXPECT_FALSE(displayIsOff(2)); // dimmed, still seen
    // A state no system defines keeps the saver drawing rather than dark for good.
    EXPECT_FALSE(displayIsOff(3));
    EXPECT_FALSE(displayIsOff(0xFFFFFFFFu));
}
