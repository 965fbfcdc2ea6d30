#include "data/JSON.h"

#include "Files.h"
#include "LogSink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

using namespace Qel;

namespace {

std::string written(const JSON& json) {
    std::ostringstream out;
    EXPECT_TRUE(json.write(out));
    return out.str();
}

class JSONTest : public testing::Test {
protected:
    test::LogSink logged;
};

/// What get(key, T&) makes of the document's "v": the value read, or "-" when the getter refuses.
template <class T> std::string readAs(const JSON& json) {
    T value{};
    if (!json.get("v", value)) return "-";
    std::ostringstream out;
    out << std::setprecision(9) << std::boolalpha << value;
    return out.str();
}

TEST_F(JSONTest, TypedGettersAcceptOnlyTheirOwnTypeWithinItsRange) {
    struct Row {
        std::string value, asFloat, asInt, asUnsigned, asBool, asString;
    };
    const Row rows[] = {
        // Float keys take reals only, within float range; an integer literal is a mismatch.
        {"1", "-", "1", "1", "-", "-"},
        {"1.0", "1", "-", "-", "-", "-"},
        {"3.4028234e38", "3.40282347e+38", "-", "-", "-", "-"},
        {"3.4028236e38", "-", "-", "-", "-", "-"},
        {"-1e-400", "-0", "-", "-", "-", "-"},
        {"28000002800000136000088.22111136071800632810811100010e-0360", "0", "-", "-", "-", "-"},
        // Integer keys take integers within their own type's range.
        {"-2147483648", "-", "-2147483648", "-", "-", "-"},
        {"2147483647", "-", "2147483647", "2147483647", "-", "-"},
        {"2147483648", "-", "-", "2147483648", "-", "-"},
        {"4294967295", "-", "-", "4294967295", "-", "-"},
        {"4294967296", "-", "-", "-", "-", "-"},
        // Wider than 64 bits, still an integer literal: no getter takes it.
        {"18446744073709551616", "-", "-", "-", "-", "-"},
        // Bools and strings are never converted; a string ends at its first zero.
        {"true", "-", "-", "-", "true", "-"},
        {"null", "-", "-", "-", "-", "-"},
        {R"("true")", "-", "-", "-", "-", "true"},
        {R"("ab\u0000cd")", "-", "-", "-", "-", "ab"},
    };
    for (const Row& row : rows) {
        const JSON json = test::parseJson(R"({"v": )" + row.value + "}");
        ASSERT_TRUE(json.isParsed()) << row.value;
        EXPECT_EQ(readAs<float>(json), row.asFloat) << row.value;
        EXPECT_EQ(readAs<int>(json), row.asInt) << row.value;
        EXPECT_EQ(readAs<unsigned>(json), row.asUnsigned) << row.value;
        EXPECT_EQ(readAs<bool>(json), row.asBool) << row.value;
        EXPECT_EQ(readAs<std::string>(json), row.asString) << row.value;
    }

    // A refused or missing key leaves the caller's value and says why.
    const JSON json = test::parseJson(R"({"one": 1})");
    logged.take();
    float kept = -7.0f;
    EXPECT_FALSE(json.get("one", kept));
    EXPECT_FALSE(json.get("missing", kept));
    EXPECT_EQ(kept, -7.0f);
    EXPECT_EQ(logged.take(), "[MED] JSON: \"one\" type mismatch\n[LOW] JSON: \"missing\" not found\n");
}

TEST_F(JSONTest, CdDescendsOnlyIntoObjectsAndGettersFollowTheCursor) {
    JSON json = test::parseJson(R"({"Scene": {"lighting": {"x": 1}, "list": [], "n": 2}, "x": 0})");
    int x = -1;
    for (const char* key : {"list", "n", "absent"}) {
        EXPECT_FALSE(json.cd(key));
        EXPECT_EQ(json.cursor, nullptr);
    }
    EXPECT_EQ(logged.count("[LOW] JSON: CD TARGET NOT A VALID OBJECT\n"), 3u);
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
    JSON json = test::parseJson(R"({"x": 1, "y": true, "x": 2})");
    int x = 0;
    EXPECT_TRUE(json.get("x", x));
    EXPECT_EQ(x, 1);
    EXPECT_TRUE(json.set("x", 7));
    EXPECT_TRUE(json.set("z", "new"));
    EXPECT_EQ(written(json), "{\n\t\"x\": 7,\n\t\"y\": true,\n\t\"x\": 2,\n\t\"z\": \"new\"\n}");
}

TEST_F(JSONTest, ArraysFromDocumentsAndElementsLogTheirOwnForms) {
    JSON json = test::parseJson(
        R"({"types": [{"name": "A", "items": [{"v": 1}, {"v": 2}]}, {"name": "B", "items": 3}, 5],
                          "scalar": 1})");
    JSONArr types = json.getArray("types");
    ASSERT_TRUE(types.isValid());
    ASSERT_EQ(types.size(), 3u);
    std::vector<std::string> names;
    std::vector<int> values;
    logged.take();
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
    EXPECT_EQ(logged.count("JSON: \"items\" is not a valid array"), 2u);

    for (const char* key : {"scalar", "missing"}) {
        JSONArr invalid = json.getArray(key);
        EXPECT_FALSE(invalid.isValid());
        EXPECT_EQ(invalid.size(), 0u);
        EXPECT_TRUE(invalid.begin() == invalid.end());
    }
    EXPECT_EQ(logged.count("is not a valid array"), 4u);
}

TEST_F(JSONTest, CreateArrayReusesAppendsOrRefuses) {
    JSON json = test::parseJson(R"({"list": [{"a": 1}], "n": 3})");
    const std::string before = written(json);
    JSONArr existing = json.createArray("list");
    ASSERT_TRUE(existing.isValid());
    EXPECT_EQ(existing.size(), 1u);
    EXPECT_EQ(written(json), before);

    EXPECT_FALSE(json.createArray("n").isValid());
    EXPECT_EQ(logged.take(), "[LOW] JSON: \"n\" exists and is not a valid array\n");

    JSONArr fresh = json.createArray("SubTextures");
    ASSERT_TRUE(fresh.isValid());
    JSONArr::iter element = fresh.append();
    EXPECT_TRUE(element.set("name", "hero"));
    EXPECT_TRUE(element.set("sizeX", 0.5f));
    EXPECT_EQ(written(json), "{\n\t\"list\": [\n\t\t{\n\t\t\t\"a\": 1\n\t\t}\n\t],\n\t\"n\": 3,\n"
                             "\t\"SubTextures\": [\n\t\t{\n\t\t\t\"name\": \"hero\",\n\t\t\t\"sizeX\": 0.5\n"
                             "\t\t}\n\t]\n}");

    JSON arrayRoot = test::parseJson("[1]");
    EXPECT_FALSE(arrayRoot.createArray("x").isValid());
    EXPECT_FALSE(arrayRoot.set("x", 1));
    EXPECT_EQ(logged.take(), "[LOW] JSON: FAILED TO CREATE ARRAY \"x\"\n[LOW] JSON: FAILED TO SET \"x\"\n");
}

TEST_F(JSONTest, RejectsAnythingButOneStrictJSONText) {
    const std::vector<std::string> bad = {"",
                                          "{}x",
                                          std::string("{}\0{}", 5),
                                          "{\"a\": 1,}",
                                          "// c\n{}",
                                          "{\"a\": NaN}",
                                          "{\"a\": 1e400}",
                                          std::string("{\"a\": \"x\0y\"}", 12),
                                          "\f{}",
                                          "{\"a\": [1, 2}"};
    for (const std::string& text : bad) {
        JSON json = test::parseJson(text);
        EXPECT_FALSE(json.isParsed()) << text.substr(0, 20);
        int value = 0;
        EXPECT_FALSE(json.get("a", value));
        EXPECT_EQ(written(json), "null");
    }
    EXPECT_NE(logged.take().find("[HIGH] JSON: Parse error\n"), std::string::npos);
}

TEST_F(JSONTest, WrittenDocumentsReadBackByteForByteUnusableStreamsFail) {
    JSON json;
    EXPECT_TRUE(json.set("CFGVersion", 1));
    EXPECT_TRUE(json.set("MasterVolume", 0.6f));
    EXPECT_TRUE(json.set("Whole", 2.0f));
    EXPECT_TRUE(json.set("Big", 1e30f));
    EXPECT_TRUE(json.set("Mask", 4294967295u));
    EXPECT_FALSE(json.set("Broken", std::numeric_limits<float>::quiet_NaN()));
    const std::string text = written(json);
    EXPECT_EQ(text, "{\n\t\"CFGVersion\": 1,\n\t\"MasterVolume\": 0.6,\n\t\"Whole\": 2.0,\n"
                    "\t\"Big\": 1e30,\n\t\"Mask\": 4294967295\n}");
    EXPECT_EQ(written(test::parseJson(text)), text);

    // Integers wider than 64 bits and bytes that are not UTF-8 are kept as they are.
    const std::string nested =
        "{\n\t\"a\": {\n\t\t\"b\": [\n\t\t\t1,\n\t\t\t-2.5,\n\t\t\t\"\\u0000\\n\",\n"
        "\t\t\t[],\n\t\t\t{}\n\t\t],\n\t\t\"c\": null\n\t},\n\t\"d\": -9223372036854775808,\n"
        "\t\"e\": 18446744073709551615,\n\t\"r\": 1.8281111111111101e28,\n\t\"w\": 18446744073709551616,\n"
        "\t\"x\": -9223372036854775809,\n\t\"y\": 123456789012345678901234567890,\n\t\"s\": \"caf\xe9\"\n}";
    EXPECT_EQ(written(test::parseJson(nested)), nested);

    // A stream that cannot take the text is a failed write.
    std::ofstream closed;
    EXPECT_FALSE(json.write(closed));
    std::ofstream full("/dev/full");
    ASSERT_TRUE(full.is_open());
    EXPECT_FALSE(json.write(full));
}

TEST_F(JSONTest, NestingUpToTheLimitReadsAndWritesBackOneMoreLevelIsRefused) {
    for (bool objects : {true, false}) {
        SCOPED_TRACE(objects ? "objects" : "arrays");
        const JSON deepest = test::parseJson(test::nestedJson(JSON::kMaxDepth, objects));
        ASSERT_TRUE(deepest.isParsed());
        EXPECT_TRUE(test::parseJson(written(deepest)).isParsed());
        EXPECT_EQ(logged.take(), "");
        EXPECT_FALSE(test::parseJson(test::nestedJson(JSON::kMaxDepth + 1, objects)).isParsed());
        EXPECT_EQ(logged.take(), test::kTooDeepLine + "[HIGH] JSON: Parse error\n");
    }
}

} // namespace
