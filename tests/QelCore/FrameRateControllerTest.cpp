#include "QelCore/FrameRateController.h"

#include <gtest/gtest.h>

#include <memory>

namespace Qel {
namespace {

class FrameRateControllerTest : public testing::Test {
  protected:
    // The clock starts far from zero: engine time counts from construction, not from the clock's origin.
    void SetUp() override {
        auto owned = std::make_unique<ManualClock>(123'456'789);
        clock = owned.get();
        controller = std::make_unique<FrameRateController>(std::move(owned));
    }
    ManualClock* clock = nullptr;
    std::unique_ptr<FrameRateController> controller;
};

TEST_F(FrameRateControllerTest, AFrameIsMeasuredALongOneClampedACappedOneWaitedOutAProfiledOneSplit) {
    clock->advance(100'000);
    controller->endFrame();
    EXPECT_EQ(controller->getFrameTicks(), 100'000u);
    EXPECT_FLOAT_EQ(controller->getDeltaTime(), 0.01f);

    // A long frame's step is clamped, its length kept.
    clock->advance(5'000'000);
    controller->endFrame();
    EXPECT_EQ(controller->getFrameTicks(), 5'000'000u);
    EXPECT_FLOAT_EQ(controller->getDeltaTime(), 0.0625f);

    // Capped, a frame busy-waits until the cap and the next one starts there.
    controller->setTargetFps(60);
    clock->setStepPerRead(1'000);
    clock->advance(50'000);
    controller->endFrame();
    EXPECT_GE(controller->getFrameTicks(), 166'666u);
    EXPECT_LT(controller->getFrameTicks(), 167'666u);
    EXPECT_EQ(controller->getFrameStart(), controller->getCurrentTime());

    // Profiling splits frames into update, draw and wait, only while on.
    const auto frame = [&] {
        clock->advance(20'000);
        const DrawPhase drawing;
        clock->advance(30'000);
    };
    // 100 frames per second: 2 ms of update, 3 ms of drawing, the cap waits out the other 5.
    controller->setTargetFps(100);
    clock->setStepPerRead(10);
    controller->setProfiling(true);
    for (int i = 0; i < 60; ++i) {
        frame();
        controller->endFrame();
    }
    const FrameReport& report = controller->getStats().report();
    EXPECT_EQ(controller->getStats().reportCount(), 2u) << "59 measured frames, 25 per quarter second";
    EXPECT_NEAR(report.fps, 100.0f, 0.1f);
    EXPECT_NEAR(report.updateMs, 2.0f, 0.01f);
    EXPECT_NEAR(report.drawMs, 3.0f, 0.01f);
    EXPECT_NEAR(report.waitMs, 5.0f, 0.01f);
    // Ten seconds without focus are left out rather than shown as one long update.
    controller->skipFrameSplit();
    clock->advance(100'000'000);
    controller->endFrame();
    EXPECT_EQ(controller->getStats().reportCount(), 2u);

    // Off again, the draw marks never read the clock: one read a frame, as before profiling.
    controller->setProfiling(false);
    EXPECT_EQ(controller->getStats().reportCount(), 0u);
    clock->setStepPerRead(0);
    controller->setTargetFps(0);
    const uint64_t reads = clock->readCount();
    frame();
    controller->endFrame();
    EXPECT_EQ(clock->readCount() - reads, 1u);
}

} // namespace
} // namespace Qel
