#include "scene/Scene.h"
#include "tests/native/support/OffscreenContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(Scene, FrameIsClearedToBlackAndPresented) {
    OffscreenContext context(64, 48);
    ASSERT_TRUE(context.valid());
    glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    Scene scene(64, 48);
    EXPECT_TRUE(scene.renderFrame(0x10000u));
    EXPECT_EQ(scene.sleepInterval(), 41);

    const auto pixels = context.readPixels();
    for (size_t index = 0; index < pixels.size(); index += 4) {
        ASSERT_EQ(pixels[index + 0], 0u);
        ASSERT_EQ(pixels[index + 1], 0u);
        ASSERT_EQ(pixels[index + 2], 0u);
    }
}
