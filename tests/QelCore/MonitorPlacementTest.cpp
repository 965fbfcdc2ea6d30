#include "QelCore/MonitorPlacement.h"

#include <gtest/gtest.h>

#include <vector>

namespace Qel {
namespace {

TEST(MonitorPlacement, PicksTheMonitorHoldingMostOfTheWindowAndCentresOnIt) {
    const std::vector<ScreenRect> sideBySide{{0, 0, 1920, 1080}, {1920, 0, 2560, 1440}};
    // 400 px wide on the left monitor, 880 px on the right one.
    EXPECT_EQ(monitorMostlyHolding({1520, 100, 1280, 720}, sideBySide), 1u);
    // An even split keeps the monitor listed first, whichever it is.
    EXPECT_EQ(monitorMostlyHolding({1280, 0, 1280, 720}, sideBySide), 0u);
    EXPECT_EQ(monitorMostlyHolding({1280, 0, 1280, 720}, std::vector{sideBySide[1], sideBySide[0]}), 0u);
    // Monitors left of and above the primary have negative positions.
    const std::vector<ScreenRect> leftOfPrimary{{0, 0, 1920, 1080}, {-1920, -200, 1920, 1080}};
    EXPECT_EQ(monitorMostlyHolding({-1500, -100, 1280, 720}, leftOfPrimary), 1u);

    // Off every monitor, or only touching an edge, there is no answer.
    EXPECT_FALSE(monitorMostlyHolding({5000, 5000, 1280, 720}, sideBySide).has_value());
    EXPECT_FALSE(monitorMostlyHolding({0, 1080, 1280, 720}, sideBySide).has_value());
    EXPECT_FALSE(monitorMostlyHolding({0, 0, 1280, 720}, {}).has_value());

    // A window is centred on its monitor.
    EXPECT_EQ(centredWindowPosition({0, 0, 1920, 1080}, 1280, 720), glm::ivec2(320, 180));
    EXPECT_EQ(centredWindowPosition({1920, -300, 2560, 1440}, 1280, 720), glm::ivec2(2560, 60));
    // A monitor smaller than the window puts it at the monitor's edge, never beyond it.
    EXPECT_EQ(centredWindowPosition({100, 50, 1024, 768}, 1280, 720), glm::ivec2(100, 74));
    EXPECT_EQ(centredWindowPosition({100, 50, 800, 600}, 1280, 720), glm::ivec2(100, 50));
}

} // namespace
} // namespace Qel
