#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ContentGen {

/// A JSON value built in code and written out by hand, so that every real is written with a
/// decimal point (the engine's float reader refuses 1 where it wants 1.0) and the output is
/// byte-for-byte stable. Member order is insertion order.
class JsonValue {
public:
    enum class Kind { Null, Bool, Int, Real, String, Array, Object };

    JsonValue() = default;
    JsonValue(bool value) : kind(Kind::Bool), number(value ? 1.0 : 0.0) {}
    JsonValue(int value) : kind(Kind::Int), number(value) {}
    /// Reals: written with a fraction even when whole.
    JsonValue(double value) : kind(Kind::Real), number(value) {}
    JsonValue(std::string value) : kind(Kind::String), text(std::move(value)) {}
    JsonValue(const char* value) : kind(Kind::String), text(value) {}

    static JsonValue array() { return JsonValue(Kind::Array); }
    static JsonValue object() { return JsonValue(Kind::Object); }
    /// {"name": componentName}: the start of a component object.
    static JsonValue component(const char* componentName);

    /// Object member (replaced when present); returns *this for chaining.
    JsonValue& set(const std::string& key, JsonValue value);
    /// Array element; returns *this for chaining.
    JsonValue& push(JsonValue value);

    Kind getKind() const { return kind; }
    /// Member `key` of an object, or null.
    const JsonValue* find(const std::string& key) const;
    double asNumber(double fallback = 0.0) const;
    bool asBool() const { return kind == Kind::Bool && number != 0.0; }
    const std::string& asString() const { return text; }
    const std::vector<JsonValue>& elements() const { return items; }
    const std::vector<std::pair<std::string, JsonValue>>& members() const { return fields; }

    /// Tab-indented text; objects and arrays holding only scalars go on one line.
    std::string dump() const;
    bool writeFile(const std::filesystem::path& path) const;

private:
    explicit JsonValue(Kind containerKind) : kind(containerKind) {}
    bool isFlat() const;
    void dumpInto(std::string& out, int depth) const;

    Kind kind = Kind::Null;
    double number = 0.0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> fields;
};

/// A real written the way scene files want it: shortest form up to 6 significant digits, always
/// with a decimal point or an exponent.
std::string formatReal(double value);

} // namespace ContentGen
