#include "QelCore/StrongAssert.h"

#include "QelCore/FileHelper.h"
#include "QelCore/LogManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace Qel {
namespace {

TEST(StrongAssertTest, TextNamesOnlyTheFileAfterTheLastSeparator) {
    EXPECT_EQ(strongAssertText("boom", "C:\\src/QelCore\\Window.cpp", 12, "void f()"),
              "[STRONG ASSERT TRIGGERED] boom in file: Window.cpp, line 12. Function: void f()");
    EXPECT_EQ(strongAssertText("boom", "/home/dev/src\\x/Main.cpp", 7, "int main()"),
              "[STRONG ASSERT TRIGGERED] boom in file: Main.cpp, line 7. Function: int main()");
}

TEST(StrongAssertTest, ExitsWithItsCodeWithoutALog) {
    EXPECT_EXIT(
        QEL_STRONG_ASSERT("no log"), testing::ExitedWithCode(187),
        R"(\[STRONG ASSERT TRIGGERED\] no log in file: StrongAssertTest\.cpp, line [0-9]+\. Function: .*TestBody)");
}

void assertWithALog() {
    new FileHelper();
    new LogManager();
    log(LOG_HIGH, "earlier line");
    QEL_STRONG_ASSERT("file missing");
}

TEST(StrongAssertTest, SavesTheLogBeforeExiting) {
    const std::filesystem::path dump =
        std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "EmberDeep" / "logs" / "log_latest.txt";
    std::filesystem::remove(dump);
    EXPECT_EXIT(assertWithALog(), testing::ExitedWithCode(187), "");

    std::ifstream file(dump);
    std::vector<std::string> lines;
    for (std::string text; std::getline(file, text);)
        lines.push_back(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "[HIGH] earlier line");
    EXPECT_TRUE(lines[1].starts_with(
        "[CRITICAL] [STRONG ASSERT TRIGGERED] file missing in file: StrongAssertTest.cpp"))
        << lines[1];
}

} // namespace
} // namespace Qel
