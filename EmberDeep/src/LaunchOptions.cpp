#include "LaunchOptions.h"

#include <charconv>

std::optional<LaunchOptions> parseLaunchOptions(const std::vector<std::string>& arguments,
                                                std::string& error) {
    LaunchOptions options;
    for (size_t i = 0; i < arguments.size(); i += 2) {
        const std::string& name = arguments[i];
        if (name != "--record" && name != "--replay" && name != "--replay-screenshot") {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (i + 1 == arguments.size()) {
            error = name + " needs a value";
            return std::nullopt;
        }
        const std::string& value = arguments[i + 1];
        std::optional<std::string>& path = name == "--record" ? options.record : options.replay;
        if (name == "--replay-screenshot") {
            uint64_t frame = 0;
            const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), frame);
            if (status != std::errc() || end != value.data() + value.size() || options.screenshotFrame) {
                error = "--replay-screenshot takes one frame number";
                return std::nullopt;
            }
            options.screenshotFrame = frame;
        } else if (path || value.empty()) {
            error = name + " takes one file";
            return std::nullopt;
        } else {
            path = value;
        }
    }
    if (options.record && options.replay) {
        error = "--record and --replay cannot be used together";
        return std::nullopt;
    }
    if (options.screenshotFrame && !options.replay) {
        error = "--replay-screenshot needs --replay";
        return std::nullopt;
    }
    return options;
}
