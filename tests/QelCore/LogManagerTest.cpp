#include "QelCore/LogManager.h"

#include "Files.h"
#include "LogSink.h"

#include "QelCore/DebugConsole.h"
#include "QelCore/FileHelper.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace Qel {
namespace {

std::vector<std::string> readLines(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

class LogManagerTest : public testing::Test {
protected:
    void SetUp() override { std::filesystem::remove_all(files.getUserDirectory()); }
    std::filesystem::path dumpPath() const { return files.getUserPath("logs/log_latest.txt"); }

    FileHelper files;
    std::unique_ptr<LogManager> logs = std::make_unique<LogManager>();
    test::LogSink logged;
};

TEST_F(LogManagerTest, ThresholdsEchoAndKeepAManualDumpHasItsOwnFileOrUsesTheOpenOverflowOne) {
    logs->setEchoPriority(LOG_MED);
    logs->setAddPriority(LOG_HIGH);
    logged.take();
    logs->log(LOG_HIGH, "kept");
    logs->log(LOG_MED, "echoed only");
    logs->log(LOG_LOW, "dropped");
    EXPECT_EQ(logged.take(), "[HIGH] kept\n[MED] echoed only\n");
    EXPECT_EQ(logs->bufferedLineCount(), 1u);

    // A manual dump writes its own file, or into the overflow file while one is open.
    logs->setEchoPriority(LOG_CRITICAL);
    std::ostringstream out;
    DebugConsole console(std::cin, out, false);
    const std::filesystem::path manual = files.getUserPath("logs/log_latest_manual.txt");
    console.runCommand("DUMPLOGS");
    EXPECT_EQ(test::readText(manual), "[HIGH] kept\n[HIGH] Manual dump initiated\n");
    std::filesystem::remove(manual);
    for (int i = 0; i <= 256; ++i)
        logs->log(LOG_HIGH, "first " + std::to_string(i));
    console.runCommand("DUMPLOGS");
    EXPECT_FALSE(std::filesystem::exists(manual));
    std::vector<std::string> lines = readLines(dumpPath());
    ASSERT_EQ(lines.size(), 258u);
    EXPECT_EQ(lines.back(), "[HIGH] Manual dump initiated");
    // The next overflow starts a file afresh.
    for (int i = 0; i <= 256; ++i)
        logs->log(LOG_HIGH, "second " + std::to_string(i));
    lines = readLines(dumpPath());
    ASSERT_EQ(lines.size(), 256u);
    EXPECT_EQ(lines.front(), "[HIGH] second 0");
}

TEST_F(LogManagerTest, OverflowDumpsTheEarlierLinesUpToPrintPriorityAndKeepsTheNewOne) {
    logs->setEchoPriority(LOG_CRITICAL);
    logs->setPrintPriority(LOG_MED);
    std::vector<std::string> expected;
    for (int i = 0; i < 256; ++i) {
        const uint8_t level = static_cast<uint8_t>(i % 4);
        logs->log(level, "line " + std::to_string(i));
        if (level <= LOG_MED) expected.push_back(std::string(logTag(level)) + " line " + std::to_string(i));
    }
    EXPECT_FALSE(std::filesystem::exists(dumpPath()));
    logs->log(LOG_HIGH, "line 256");
    EXPECT_EQ(readLines(dumpPath()), expected);
    EXPECT_EQ(logs->bufferedLineCount(), 1u);
    EXPECT_TRUE(logs->getFlags() & LogManager::kFlagDumpAtExit);
}

TEST_F(LogManagerTest, ConcurrentLinesStayWhole) {
    constexpr int kThreads = 4;
    constexpr int kLinesEach = 500;
    logged.take();
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([this, t] {
            for (int i = 0; i < kLinesEach; ++i)
                logs->log(LOG_LOW, "worker " + std::to_string(t) + " line " + std::to_string(i));
        });
    for (std::thread& thread : threads)
        thread.join();
    std::istringstream echoed(logged.take());
    logs->flush();
    logs->closeDumpFile();

    const std::regex whole(R"(\[LOW\] worker [0-9] line [0-9]+)");
    std::vector<std::string> echoedLines;
    for (std::string line; std::getline(echoed, line);)
        echoedLines.push_back(line);
    for (const std::vector<std::string>& lines : {echoedLines, readLines(dumpPath())}) {
        EXPECT_EQ(lines.size(), static_cast<size_t>(kThreads * kLinesEach));
        for (const std::string& line : lines)
            ASSERT_TRUE(std::regex_match(line, whole)) << line;
    }
}

} // namespace
} // namespace Qel
