#include "JsonValue.h"

#include <cstdio>
#include <fstream>

namespace ContentGen {

namespace {

void appendQuoted(std::string& out, const std::string& text) {
    out += '"';
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    out += '"';
}

} // namespace

std::string formatReal(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6g", value);
    std::string text(buffer);
    if (text.find_first_of(".eEn") == std::string::npos) text += ".0";
    return text;
}

JsonValue JsonValue::component(const char* componentName) {
    JsonValue value = object();
    value.set("name", componentName);
    return value;
}

JsonValue& JsonValue::set(const std::string& key, JsonValue value) {
    for (auto& [name, existing] : fields) {
        if (name == key) {
            existing = std::move(value);
            return *this;
        }
    }
    fields.emplace_back(key, std::move(value));
    return *this;
}

JsonValue& JsonValue::push(JsonValue value) {
    items.push_back(std::move(value));
    return *this;
}

const JsonValue* JsonValue::find(const std::string& key) const {
    for (const auto& [name, value] : fields)
        if (name == key) return &value;
    return nullptr;
}

double JsonValue::asNumber(double fallback) const {
    return kind == Kind::Int || kind == Kind::Real ? number : fallback;
}

bool JsonValue::isFlat() const {
    for (const JsonValue& item : items)
        if (item.kind == Kind::Array || item.kind == Kind::Object) return false;
    for (const auto& field : fields)
        if (field.second.kind == Kind::Array || field.second.kind == Kind::Object) return false;
    return true;
}

void JsonValue::dumpInto(std::string& out, int depth) const {
    switch (kind) {
    case Kind::Null:
        out += "null";
        return;
    case Kind::Bool:
        out += number != 0.0 ? "true" : "false";
        return;
    case Kind::Int:
        out += std::to_string(static_cast<long long>(number));
        return;
    case Kind::Real:
        out += formatReal(number);
        return;
    case Kind::String:
        appendQuoted(out, text);
        return;
    case Kind::Array:
    case Kind::Object:
        break;
    }
    const bool isObject = kind == Kind::Object;
    const size_t count = isObject ? fields.size() : items.size();
    out += isObject ? '{' : '[';
    if (count == 0) {
        out += isObject ? '}' : ']';
        return;
    }
    const bool flat = isFlat();
    const std::string indent(static_cast<size_t>(depth) + 1, '\t');
    for (size_t i = 0; i < count; ++i) {
        out += flat ? (i == 0 ? "" : " ") : "\n" + indent;
        if (isObject) {
            appendQuoted(out, fields[i].first);
            out += ": ";
            fields[i].second.dumpInto(out, depth + 1);
        } else {
            items[i].dumpInto(out, depth + 1);
        }
        if (i + 1 < count) out += ',';
    }
    if (!flat) out += "\n" + std::string(static_cast<size_t>(depth), '\t');
    out += isObject ? '}' : ']';
}

std::string JsonValue::dump() const {
    std::string out;
    dumpInto(out, 0);
    out += '\n';
    return out;
}

bool JsonValue::writeFile(const std::filesystem::path& path) const {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary);
    file << dump();
    return static_cast<bool>(file);
}

} // namespace ContentGen
