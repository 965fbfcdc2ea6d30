#include "data/JSON.h"

#include "QelCore/LogManager.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

using namespace Qel;

namespace {

JSON parsed(const std::string& text) {
    JSON json;
    std::istringstream in(text);
    json.parse(in);
    return json;
}

std::string written(const JSON& json) {
    std::ostringstream out;
    EXPECT_TRUE(json.write(out));
    return out.str();
}

// Every message the wrapper logs, echoed by a real LogManager so the level tag is checked too.
class JSONTest : public testing::Test {
protected:
    void SetUp() override { testing::internal::CaptureStdout(); }
    void TearDown() override { testing::internal::GetCapturedStdout(); }

    std::string takeLog() {
        std::string text = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return text;
    }

    LogManager logManager;
};

TEST_F(JSONTest, FloatKeysAcceptOnlyRealsWithinFloatRange) {
    JSON json = parsed(R"({"one": 1, "oneReal": 1.0, "exp": 25e-1, "huge": 3.5e39, "max": 3.4028234e38,
                          "past": 3.4028236e38, "text": "1.0", "tiny": -1e-400,
                          "long": 28000002800000136000088.22111136071800632810811100010e-0360})");
    ASSERT_TRUE(json.isParsed());
    float value = -7.0f;
    EXPECT_FALSE(json.get("one", value));
    EXPECT_EQ(takeLog(), "[MED] JSON: \"one\" type mismatch\n");
    EXPECT_EQ(value, -7.0f);
    EXPECT_FALSE(json.get("missing", value));
    EXPECT_EQ(takeLog(), "[LOW] JSON: \"missing\" not found\n");
    EXPECT_FALSE(json.get("huge", value));
    EXPECT_FALSE(json.get("past", value));
    EXPECT_FALSE(json.get("text", value));
    EXPECT_EQ(value, -7.0f);
    EXPECT_TRUE(json.get("oneReal", value));
    EXPECT_EQ(value, 1.0f);
    EXPECT_TRUE(json.get("exp", value));
    EXPECT_EQ(value, 2.5f);
    EXPECT_TRUE(json.get("max", value));
    EXPECT_EQ(value, FLT_MAX);
    EXPECT_TRUE(json.get("tiny", value));
    EXPECT_EQ(value, 0.0f);
    EXPECT_TRUE(std::signbit(value));
    EXPECT_TRUE(json.get("long", value));
    EXPECT_EQ(value, 0.0f);
}

TEST_F(JSONTest, IntegerKeysAcceptOnlyIntegersInTheirRange) {
    JSON json = parsed(R"({"minus": -1, "uMax": 4294967295, "uOver": 4294967296, "iMax": 2147483647,
                          "iMin": -2147483648, "iOver": 2147483648, "real": 1.0, "huge": 3.5e39})");
    int i = 5;
    EXPECT_TRUE(json.get("minus", i));
    EXPECT_EQ(i, -1);
    EXPECT_TRUE(json.get("iMin", i));
    EXPECT_EQ(i, INT32_MIN);
    EXPECT_TRUE(json.get("iMax", i));
    for (const char* key : {"iOver", "uMax", "real", "huge"})
        EXPECT_FALSE(json.get(key, i)) << key;
    EXPECT_EQ(i, INT32_MAX);

    unsigned u = 5;
    for (const char* key : {"minus", "uOver", "iMin", "real", "huge"})
        EXPECT_FALSE(json.get(key, u)) << key;
    EXPECT_EQ(u, 5u);
    EXPECT_TRUE(json.get("uMax", u));
    EXPECT_EQ(u, 4294967295u);
    takeLog();
    EXPECT_FALSE(json.get("minus", u));
    EXPECT_EQ(takeLog(), "[MED] JSON: \"minus\" type mismatch\n");
}

TEST_F(JSONTest, BoolAndStringKeysAreStrict) {
    JSON json = parsed(R"({"flag": true, "zero": 0, "quoted": "true", "nul": "ab\u0000cd", "n": null})");
    bool flag = false;
    EXPECT_TRUE(json.get("flag", flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(json.get("zero", flag));
    EXPECT_FALSE(json.get("quoted", flag));
    EXPECT_FALSE(json.get("n", flag));
    std::string text = "default";
    EXPECT_FALSE(json.get("flag", text));
    EXPECT_EQ(text, "default");
    EXPECT_TRUE(json.get("nul", text));
    EXPECT_EQ(text, "ab");
}

TEST_F(JSONTest, CdDescendsOnlyIntoObjectsAndGettersFollowTheCursor) {
    JSON json = parsed(R"({"Scene": {"lighting": {"x": 1}, "list": [], "n": 2}, "x": 0})");
    int x = -1;
    for (const char* key : {"list", "n", "absent"}) {
        EXPECT_FALSE(json.cd(key));
        EXPECT_EQ(json.cursor, nullptr);
    }
    EXPECT_EQ(takeLog(), "[LOW] JSON: CD TARGET NOT A VALID OBJECT\n"
                         "[LOW] JSON: CD TARGET NOT A VALID OBJECT\n"
                         "[LOW] JSON: CD TARGET NOT A VALID OBJECT\n");
    ASSERT_TRUE(json.cd("Scene"));
    JSONValue* scene = json.cursor;
    EXPECT_FALSE(json.cd("list"));
    EXPECT_EQ(json.cursor, scene);
    EXPECT_FALSE(json.get("x", x));
    ASSERT_TRUE(json.cd("lighting"));
    EXPECT_TRUE(json.get("x", x));
    EXPECT_EQ(x, 1);
    json.cursor = nullptr;
    EXPECT_TRUE(json.get("x", x));
    EXPECT_EQ(x, 0);
}

TEST_F(JSONTest, DuplicateKeysResolveToTheFirstAndSetReplacesItInPlace) {
    JSON json = parsed(R"({"x": 1, "y": true, "x": 2})");
    int x = 0;
    EXPECT_TRUE(json.get("x", x));
    EXPECT_EQ(x, 1);
    EXPECT_TRUE(json.set("x", 7));
    EXPECT_TRUE(json.set("z", "new"));
    EXPECT_EQ(written(json), "{\n\t\"x\": 7,\n\t\"y\": true,\n\t\"x\": 2,\n\t\"z\": \"new\"\n}");
}

TEST_F(JSONTest, ArraysFromDocumentsAndElementsLogTheirOwnForms) {
    JSON json =
        parsed(R"({"types": [{"name": "A", "items": [{"v": 1}, {"v": 2}]}, {"name": "B", "items": 3}, 5],
                          "scalar": 1})");
    JSONArr types = json.getArray("types");
    ASSERT_TRUE(types.isValid());
    ASSERT_EQ(types.size(), 3u);
    std::vector<std::string> names;
    std::vector<int> values;
    takeLog();
    for (const JSONArr::iter& type : types) {
        std::string name = "none";
        type.get("name", name);
        names.push_back(name);
        for (const JSONArr::iter& item : type.getArray("items")) {
            int v = 0;
            if (item.get("v", v)) values.push_back(v);
        }
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "none"}));
    EXPECT_EQ(values, (std::vector<int>{1, 2}));
    EXPECT_EQ(takeLog(), "[LOW] JSON: \"items\" is not a valid array\n"
                         "[LOW] JSON: \"name\" not found\n"
                         "[LOW] JSON: \"items\" is not a valid array\n");

    for (const char* key : {"scalar", "missing"}) {
        JSONArr invalid = json.getArray(key);
        EXPECT_FALSE(invalid.isValid());
        EXPECT_EQ(invalid.size(), 0u);
        EXPECT_TRUE(invalid.begin() == invalid.end());
    }
    EXPECT_EQ(takeLog(),
              "[LOW] JSON: scalar is not a valid array\n[LOW] JSON: missing is not a valid array\n");
}

TEST_F(JSONTest, CreateArrayReusesAppendsOrRefuses) {
    JSON json = parsed(R"({"list": [{"a": 1}], "n": 3})");
    const std::string before = written(json);
    JSONArr existing = json.createArray("list");
    ASSERT_TRUE(existing.isValid());
    EXPECT_EQ(existing.size(), 1u);
    EXPECT_EQ(written(json), before);

    EXPECT_FALSE(json.createArray("n").isValid());
    EXPECT_EQ(takeLog(), "[LOW] JSON: \"n\" exists and is not a valid array\n");

    JSONArr fresh = json.createArray("SubTextures");
    ASSERT_TRUE(fresh.isValid());
    JSONArr::iter element = fresh.append();
    EXPECT_TRUE(element.set("name", "hero"));
    EXPECT_TRUE(element.set("sizeX", 0.5f));
    EXPECT_EQ(written(json), "{\n\t\"list\": [\n\t\t{\n\t\t\t\"a\": 1\n\t\t}\n\t],\n\t\"n\": 3,\n"
                             "\t\"SubTextures\": [\n\t\t{\n\t\t\t\"name\": \"hero\",\n\t\t\t\"sizeX\": 0.5\n"
                             "\t\t}\n\t]\n}");

    JSON arrayRoot = parsed("[1]");
    EXPECT_FALSE(arrayRoot.isObject());
    EXPECT_FALSE(arrayRoot.createArray("x").isValid());
    EXPECT_FALSE(arrayRoot.set("x", 1));
    EXPECT_EQ(takeLog(), "[LOW] JSON: FAILED TO CREATE ARRAY \"x\"\n[LOW] JSON: FAILED TO SET \"x\"\n");
}

TEST_F(JSONTest, RejectsAnythingButOneStrictJSONText) {
    const std::vector<std::string> bad = {"",
                                          " \n\t",
                                          "{} {}",
                                          "{}x",
                                          std::string("{}\0{}", 5),
                                          "{\"a\": 1,}",
                                          "// c\n{}",
                                          "{\"a\": NaN}",
                                          "{\"a\": Infinity}",
                                          "{\"a\": 1e400}",
                                          std::string("{\"a\": \"x\0y\"}", 12),
                                          "\f{}",
                                          std::string(100000, '['),
                                          "{\"a\": [1, 2}"};
    for (const std::string& text : bad) {
        JSON json = parsed(text);
        EXPECT_FALSE(json.isParsed()) << text.substr(0, 20);
        int value = 0;
        EXPECT_FALSE(json.get("a", value));
        EXPECT_EQ(written(json), "null");
    }
    EXPECT_NE(takeLog().find("[HIGH] JSON: Parse error\n"), std::string::npos);
}

TEST_F(JSONTest, ASecondParseIsIgnored) {
    JSON json = parsed(R"({"a": 1})");
    std::istringstream other(R"({"a": 2})");
    json.parse(other);
    int a = 0;
    EXPECT_TRUE(json.get("a", a));
    EXPECT_EQ(a, 1);
    std::istringstream broken("{");
    json.parse(broken);
    EXPECT_TRUE(json.isParsed());
    EXPECT_EQ(takeLog(), "");
}

TEST_F(JSONTest, WrittenDocumentsReadBackByteForByte) {
    JSON json;
    EXPECT_FALSE(json.isObject());
    EXPECT_TRUE(json.set("CFGVersion", 1));
    EXPECT_TRUE(json.isObject());
    EXPECT_TRUE(json.set("MasterVolume", 0.6f));
    EXPECT_TRUE(json.set("Whole", 2.0f));
    EXPECT_TRUE(json.set("Big", 1e30f));
    EXPECT_TRUE(json.set("Mask", 4294967295u));
    EXPECT_FALSE(json.set("Broken", std::numeric_limits<float>::quiet_NaN()));
    const std::string text = written(json);
    EXPECT_EQ(text, "{\n\t\"CFGVersion\": 1,\n\t\"MasterVolume\": 0.6000000238418579,\n\t\"Whole\": 2.0,\n"
                    "\t\"Big\": 1.0000000150474662e30,\n\t\"Mask\": 4294967295\n}");
    float volume = 0.0f;
    JSON again = parsed(text);
    EXPECT_TRUE(again.get("MasterVolume", volume));
    EXPECT_EQ(volume, 0.6f);
    EXPECT_EQ(written(again), text);

    const std::string nested =
        "{\n\t\"a\": {\n\t\t\"b\": [\n\t\t\t1,\n\t\t\t-2.5,\n\t\t\t\"\\u0000\\n\",\n"
        "\t\t\t[],\n\t\t\t{}\n\t\t],\n\t\t\"c\": null\n\t},\n\t\"d\": -9223372036854775808,\n"
        "\t\"e\": 18446744073709551615\n}";
    EXPECT_EQ(written(parsed(nested)), nested);
    const std::string hardToRound = "{\n\t\"r\": 1.8281111111111101e28\n}";
    EXPECT_EQ(written(parsed(hardToRound)), hardToRound);

    // Bytes that are not UTF-8 are kept as they are.
    const std::string latin1 = "{\n\t\"name\": \"caf\xe9\"\n}";
    JSON raw = parsed(latin1);
    EXPECT_TRUE(raw.isParsed());
    EXPECT_EQ(written(raw), latin1);
}

TEST_F(JSONTest, WriteReportsUnusableStreams) {
    JSON json = parsed(R"({"a": 1})");
    std::ofstream closed;
    EXPECT_FALSE(json.write(closed));
    std::ofstream full("/dev/full");
    ASSERT_TRUE(full.is_open());
    EXPECT_FALSE(json.write(full));
}

TEST_F(JSONTest, LargeInputsParse) {
    const size_t size = 50u << 20;
    std::string big = "{\"s\": \"" + std::string(size, 'x') + "\"}";
    JSON large = parsed(big);
    std::string s;
    ASSERT_TRUE(large.get("s", s));
    EXPECT_EQ(s.size(), size);
}

} // namespace
