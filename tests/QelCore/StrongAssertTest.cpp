#include "QelCore/StrongAssert.h"

#include "QelCore/FileHelper.h"
#include "QelCore/LogManager.h"

#include "Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <latch>
#include <string>
#include <thread>

namespace Qel {
namespace {

void assertWithALog() {
    new FileHelper();
    new LogManager();
    log(LOG_HIGH, "earlier line");
    QEL_STRONG_ASSERT("file missing");
}

TEST(StrongAssertTest, ExitsWithItsCodeAndSavesTheLogIfThereIsOne) {
    EXPECT_EXIT(
        QEL_STRONG_ASSERT("no log"), testing::ExitedWithCode(187),
        R"(\[STRONG ASSERT TRIGGERED\] no log in file: StrongAssertTest\.cpp, line [0-9]+\. Function: .*TestBody)");

    const std::filesystem::path dump =
        std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "EmberDeep" / "logs" / "log_latest.txt";
    std::filesystem::remove(dump);
    EXPECT_EXIT(assertWithALog(), testing::ExitedWithCode(187), "");

    const std::string saved = test::readText(dump);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 2) << saved;
    EXPECT_TRUE(saved.starts_with("[HIGH] earlier line\n[CRITICAL] [STRONG ASSERT TRIGGERED] file missing in "
                                  "file: StrongAssertTest.cpp"))
        << saved;
}

std::filesystem::path teardownRecord() {
    return std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "teardowns.txt";
}

/// Slow enough that the second assertion arrives while the first is still tearing down.
void recordTeardown() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::ofstream(teardownRecord(), std::ios::app) << "teardown\n";
}

void assertOnTwoThreadsAtOnce() {
    setStrongAssertShutdown(recordTeardown);
    std::latch start(2);
    const auto raise = [&start] {
        start.arrive_and_wait();
        QEL_STRONG_ASSERT("at once");
    };
    std::thread first(raise);
    std::thread second(raise);
    first.join();
    second.join();
}

TEST(StrongAssertTest, TwoThreadsAssertingAtOnceTearDownOnceAndLetThatTeardownFinish) {
    std::filesystem::remove(teardownRecord());
    EXPECT_EXIT(assertOnTwoThreadsAtOnce(), testing::ExitedWithCode(187), "at once");
    EXPECT_EQ(test::readText(teardownRecord()), "teardown\n");
}

} // namespace
} // namespace Qel
