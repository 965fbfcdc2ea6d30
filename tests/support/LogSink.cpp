#include "LogSink.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <utility>

namespace Qel::test {

LogSink::LogSink(Log log) {
    if (log == Log::Make && !LogManager::instance()) ownLog = std::make_unique<LogManager>();
    previous = std::cout.rdbuf(&buffer);
}

LogSink::~LogSink() {
    std::cout.rdbuf(previous);
    if (testing::Test::HasFailure()) {
        std::lock_guard lock(buffer.mutex);
        std::cerr << buffer.shown << buffer.text;
    }
}

std::string LogSink::take() {
    return buffer.take();
}

std::vector<LogSink::Line> LogSink::lines() const {
    std::vector<Line> result;
    std::istringstream in(buffer.peek());
    for (std::string text; std::getline(in, text);) {
        int level = kUntagged;
        for (int candidate = LOG_CRITICAL; candidate <= LOG_LOW; ++candidate) {
            const std::string tag = std::string(logTag(static_cast<uint8_t>(candidate))) + ' ';
            if (text.starts_with(tag)) {
                level = candidate;
                text.erase(0, tag.size());
                break;
            }
        }
        result.push_back({level, text});
    }
    return result;
}

size_t LogSink::count(std::string_view part) const {
    const std::string text = buffer.peek();
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++found;
    return found;
}

bool LogSink::has(int level, std::string_view part) const {
    for (const Line& line : lines()) {
        if (line.level == level && line.text.find(part) != std::string::npos) return true;
    }
    return false;
}

std::string LogSink::Buffer::take() {
    std::lock_guard lock(mutex);
    shown += text;
    return std::exchange(text, {});
}

std::string LogSink::Buffer::peek() const {
    std::lock_guard lock(mutex);
    return text;
}

int LogSink::Buffer::overflow(int c) {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    std::lock_guard lock(mutex);
    text.push_back(static_cast<char>(c));
    return c;
}

std::streamsize LogSink::Buffer::xsputn(const char* chars, std::streamsize count) {
    std::lock_guard lock(mutex);
    text.append(chars, static_cast<size_t>(count));
    return count;
}

} // namespace Qel::test
