#include "scene/MonitorLayout.h"

#include <gtest/gtest.h>

namespace {

bool operator==(const Viewport& a, const Viewport& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

struct Layout {
    const char* name;
    ScreenRectangle virtualScreen;
    std::vector<ScreenRectangle> monitors;
    std::vector<Viewport> expected; // rows counted from the window's bottom
};

TEST(MonitorLayout, EachMonitorGetsItsPartOfTheWindowInBottomUpRows) {
    const ScreenRectangle primary{0, 0, 1024, 768};
    const Layout layouts[] = {
        {"one monitor", primary, {primary}, {{0, 0, 1024, 768}}},
        {"left of the primary, bottoms aligned",
         {-800, 0, 1024, 768},
         {primary, {-800, 168, 0, 768}},
         {{800, 0, 1024, 768}, {0, 0, 800, 600}}},
        {"above the primary",
         {0, -600, 1024, 768},
         {primary, {0, -600, 800, 0}},
         {{0, 0, 1024, 768}, {0, 768, 800, 600}}},
        {"right of the primary, tops aligned, shorter",
         {0, 0, 1824, 768},
         {primary, {1024, 0, 1824, 600}},
         {{0, 0, 1024, 768}, {1024, 168, 800, 600}}},
        {"three monitors",
         {-1280, -200, 1824, 824},
         {primary, {1024, 0, 1824, 600}, {-1280, -200, 0, 824}},
         {{1280, 56, 1024, 768}, {2304, 224, 800, 600}, {0, 0, 1280, 1024}}},
        {"a monitor beyond the virtual screen is cut or left out",
         primary,
         {{-100, 0, 100, 768}, {2000, 0, 2800, 600}},
         {{0, 0, 100, 768}}},
        {"no monitor reported: the whole window", primary, {}, {{0, 0, 1024, 768}}},
    };
    for (const Layout& layout : layouts) {
        const std::vector<Viewport> viewports =
            monitorViewports(layout.virtualScreen, layout.monitors);
        ASSERT_EQ(viewports.size(), layout.expected.size()) << layout.name;
        for (size_t k = 0; k < viewports.size(); ++k) {
            EXPECT_TRUE(viewports[k] == layout.expected[k]) << layout.name << ", monitor " << k;
        }
    }
}

} // namespace
