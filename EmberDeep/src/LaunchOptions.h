#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// What the command line asks for; nothing asked means a normal run.
struct LaunchOptions {
    std::optional<std::string> record;
    std::optional<std::string> replay;
    std::optional<uint64_t> screenshotFrame;
};

/// The line printed for a command line the game does not understand.
constexpr const char* kUsage = "usage: EmberDeep [--record FILE | --replay FILE [--replay-screenshot FRAME]]";

/// Reads the arguments after the program's name. Nothing, with `error` saying why, when one is
/// unknown, lacks its value, repeats, or does not fit with another.
std::optional<LaunchOptions> parseLaunchOptions(const std::vector<std::string>& arguments,
                                                std::string& error);
