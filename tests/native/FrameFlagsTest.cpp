#include "host/FrameFlags.h"

#include <gtest/gtest.h>

TEST(FrameFlags, OnlyBitSixteenCarriesTheMirrorsOption) {
    EXPECT_EQ(frameFlags(0), 0u);
    EXPECT_EQ(frameFlags(1), 0x10000u);
    // Any stored non-zero value means on, never a different bit pattern.
    EXPECT_EQ(frameFlags(2), 0x10000u);
    EXPECT_EQ(frameFlags(0xFFFFFFFFu), 0x10000u);
}
