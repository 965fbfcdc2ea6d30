// The game's command line: the recording options, and every line it must refuse.
#include "LaunchOptions.h"

#include <gtest/gtest.h>

TEST(LaunchOptions, TheRecordingOptionsAreReadAndAnythingElseIsRefused) {
    const struct {
        std::vector<std::string> arguments;
        std::string error; // empty: accepted
    } kCases[] = {{{}, ""},
                  {{"--record", "play.rec"}, ""},
                  {{"--replay-screenshot", "120", "--replay", "play.rec"}, ""},
                  {{"--fullscreen"}, "unknown option --fullscreen"},
                  {{"--record"}, "--record needs a value"},
                  {{"--replay", "a", "--replay", "b"}, "--replay takes one file"},
                  {{"--record", ""}, "--record takes one file"},
                  {{"--record", "a", "--replay", "b"}, "cannot be used together"},
                  {{"--replay-screenshot", "5"}, "--replay-screenshot needs --replay"},
                  {{"--replay", "a", "--replay-screenshot", "-1"}, "takes one frame number"},
                  {{"--replay", "a", "--replay-screenshot", "5x"}, "takes one frame number"}};
    for (const auto& c : kCases) {
        std::string error;
        const std::optional<LaunchOptions> options = parseLaunchOptions(c.arguments, error);
        EXPECT_EQ(options.has_value(), c.error.empty()) << c.error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
    std::string error;
    const std::optional<LaunchOptions> replay = parseLaunchOptions(kCases[2].arguments, error);
    EXPECT_EQ(replay->replay, "play.rec");
    EXPECT_EQ(replay->screenshotFrame, 120u);
    EXPECT_EQ(parseLaunchOptions(kCases[1].arguments, error)->record, "play.rec");
}
