#include "QelCore/LogManager.h"
#include "data/JSON.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

using namespace Qel;

namespace {

// Integer literals too wide for 64 bits are still integer literals: no getter takes them (a float
// key written as one is an authoring mistake like any other integer), and they are written back
// as they were read.
TEST(JSONWideIntegerTest, NoGetterTakesThemAndTheyAreWrittenBackUnchanged) {
    LogManager logManager;
    const std::string text = "{\n\t\"a\": 18446744073709551616,\n\t\"b\": -9223372036854775809,\n"
                             "\t\"c\": 123456789012345678901234567890\n}";
    JSON json;
    std::istringstream in(text);
    json.parse(in);
    ASSERT_TRUE(json.isParsed());

    testing::internal::CaptureStdout();
    float f = -1.0f;
    int i = -1;
    unsigned u = 1;
    std::string s = "kept";
    std::string taken;
    for (const char* key : {"a", "b", "c"}) {
        if (json.get(key, f) || json.get(key, i) || json.get(key, u) || json.get(key, s)) taken += key;
    }
    const std::string log = testing::internal::GetCapturedStdout();
    EXPECT_EQ(taken, "");
    EXPECT_EQ(f, -1.0f);
    EXPECT_EQ(s, "kept");
    EXPECT_NE(log.find("[MED] JSON: \"a\" type mismatch\n"), std::string::npos);

    std::ostringstream out;
    ASSERT_TRUE(json.write(out));
    EXPECT_EQ(out.str(), text);
}

} // namespace
