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

TEST_F(FrameRateControllerTest, UncappedFrameReadsTheClockOnceAndDoesNotWait) {
    clock->advance(100'000);
    const uint64_t readsBefore = clock->readCount();
    controller->endFrame();
    EXPECT_EQ(clock->readCount() - readsBefore, 1u);
    EXPECT_EQ(controller->getFrameTicks(), 100'000u);
    EXPECT_FLOAT_EQ(controller->getDeltaTime(), 0.01f);
}

TEST_F(FrameRateControllerTest, CappedFrameBusyWaitsUntilTheCapAndTheNextFrameStartsThere) {
    controller->setTargetFps(60);
    clock->setStepPerRead(1'000);
    clock->advance(50'000);
    controller->endFrame();
    EXPECT_GE(controller->getFrameTicks(), 166'666u);
    EXPECT_LT(controller->getFrameTicks(), 167'666u);
    EXPECT_FLOAT_EQ(controller->getDeltaTime(), controller->getFrameTicks() / 10'000'000.0f);
    EXPECT_EQ(controller->getFrameStart(), controller->getCurrentTime());

    clock->setStepPerRead(0);
    clock->advance(200'000);
    controller->endFrame();
    EXPECT_EQ(controller->getFrameTicks(), 200'000u);
}

TEST_F(FrameRateControllerTest, LongFrameIsClampedButKeepsItsFullLength) {
    clock->advance(5'000'000);
    controller->endFrame();
    EXPECT_EQ(controller->getFrameTicks(), 5'000'000u);
    EXPECT_FLOAT_EQ(controller->getDeltaTime(), 0.0625f);
}

} // namespace
} // namespace Qel
