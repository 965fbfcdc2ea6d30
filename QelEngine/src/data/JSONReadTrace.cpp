#include "data/JSONReadTrace.h"

#include "data/JSONDetail.h"

#include <charconv>
#include <string_view>

namespace Qel {

namespace {

thread_local JSONReadTrace* current = nullptr;

using jsonDetail::Value;

/// Appends the path from `from` (at `path`) to `target`; false when target is not below from.
/// Depth is bounded by JSON::kMaxDepth, so the recursion is too.
bool findPath(const Value& from, const Value* target, std::string& path) {
    if (&from == target) return true;
    const size_t length = path.size();
    if (from.IsObject()) {
        for (auto member = from.MemberBegin(); member != from.MemberEnd(); ++member) {
            if (!path.empty()) path += '.';
            path.append(member->name.GetString(), member->name.GetStringLength());
            if (findPath(member->value, target, path)) return true;
            path.resize(length);
        }
    } else if (from.IsArray()) {
        for (rapidjson::SizeType i = 0; i < from.Size(); ++i) {
            path += '[' + std::to_string(i) + ']';
            if (findPath(from[i], target, path)) return true;
            path.resize(length);
        }
    }
    return false;
}

std::string pathTo(const JSONDocument* document, const Value* object) {
    std::string path;
    if (document && object) findPath(*document, object, path);
    return path;
}

std::string realText(double value) {
    char text[32];
    const std::to_chars_result result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

/// The digits of an integer that fits in 64 bits.
std::string integerText(const Value& member) {
    return member.IsInt64() ? std::to_string(member.GetInt64()) : std::to_string(member.GetUint64());
}

std::string describe(const JSONDocument* document, const Value& member) {
    if (document && document->isWideInteger(member))
        return "the integer " + std::string(member.GetString()) + ", too wide for 64 bits";
    if (member.IsDouble()) return "the real " + realText(member.GetDouble());
    if (member.IsInt64() || member.IsUint64()) return "the integer " + integerText(member);
    if (member.IsString()) {
        // Long texts are cut: the path already says where to look.
        constexpr size_t kShown = 40;
        const std::string_view text(member.GetString(), member.GetStringLength());
        return "the string \"" + std::string(text.substr(0, kShown)) +
               (text.size() > kShown ? "...\"" : "\"");
    }
    if (member.IsBool()) return member.GetBool() ? "true" : "false";
    if (member.IsObject()) return "an object";
    if (member.IsArray()) return "an array";
    return "null";
}

} // namespace

JSONReadTrace::JSONReadTrace() {
    current = this;
}

JSONReadTrace::~JSONReadTrace() {
    if (current == this) current = nullptr;
}

std::string JSONReadTrace::lastObjectPath() const {
    return pathTo(static_cast<const JSONDocument*>(lastDocument), static_cast<const Value*>(lastObject));
}

void JSONReadTrace::noteAssetReference(std::type_index kind, std::string_view key, std::string_view name) {
    if (!current) return;
    std::string path = current->lastObjectPath();
    if (!path.empty()) path += '.';
    path += key;
    current->references.push_back({std::move(path), kind, std::string(name)});
}

namespace jsonDetail {

void traceLookUp(const JSONDocument* document, const Value* object) {
    if (!current) return;
    current->lastDocument = document;
    current->lastObject = object;
}

void traceMismatch(const JSONDocument* document, const Value* object, std::string_view key,
                   const Value& member, std::string_view expected) {
    if (!current) return;
    std::string path = pathTo(document, object);
    if (!path.empty()) path += '.';
    path += key;
    std::string wanted(expected);
    if (expected == "a real") {
        // The trap this trace exists for: an integer literal never satisfies a float key.
        if (member.IsInt64() || member.IsUint64()) {
            wanted += ", written with a decimal point: " + integerText(member) + ".0";
        } else if (member.IsDouble()) {
            wanted += " within the float range (magnitude at most 3.4028234e38)";
        }
    }
    current->typeProblems.push_back({std::move(path), describe(document, member), std::move(wanted)});
}

} // namespace jsonDetail
} // namespace Qel
