#include "data/JSONDetail.h"

#include "QelCore/LogManager.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>

namespace Qel::jsonDetail {

namespace {

void logKey(uint8_t level, std::string_view before, std::string_view key, std::string_view after) {
    std::string text;
    text.reserve(before.size() + key.size() + after.size());
    text.append(before).append(key).append(after);
    log(level, text);
}

// What each getter takes, for the read trace.
constexpr std::string_view expectedText(float) {
    return "a real";
}
constexpr std::string_view expectedText(int) {
    return "an integer that fits in 32 bits";
}
constexpr std::string_view expectedText(unsigned) {
    return "an integer from 0 to 4294967295";
}
constexpr std::string_view expectedText(bool) {
    return "true or false";
}
std::string_view expectedText(const std::string&) {
    return "a string";
}

bool accept(const Value& value, float& out) {
    // Only reals: an integer literal in a float field is an authoring mistake, not a value.
    if (!value.IsDouble()) return false;
    const double real = value.GetDouble();
    if (std::fabs(real) > static_cast<double>(std::numeric_limits<float>::max())) return false;
    out = static_cast<float>(real);
    return true;
}

bool accept(const Value& value, int& out) {
    if (!value.IsInt()) return false;
    out = value.GetInt();
    return true;
}

bool accept(const Value& value, unsigned& out) {
    if (!value.IsUint()) return false;
    out = value.GetUint();
    return true;
}

bool accept(const Value& value, bool& out) {
    if (!value.IsBool()) return false;
    out = value.GetBool();
    return true;
}

bool accept(const Value& value, std::string& out) {
    if (!value.IsString()) return false;
    out = value.GetString();
    return true;
}

Value makeValue(bool value, Allocator&) {
    return Value(value);
}
Value makeValue(int value, Allocator&) {
    return Value(value);
}
Value makeValue(unsigned value, Allocator&) {
    return Value(value);
}
Value makeValue(float value, Allocator&) {
    // The shortest decimal that reads back as this float, so a volume of 0.4 is written as 0.4
    // rather than as the float's exact binary value 0.4000000059604645.
    char digits[32];
    *std::to_chars(digits, digits + sizeof digits - 1, value).ptr = '\0';
    return Value(std::strtod(digits, nullptr));
}
Value makeValue(std::string_view value, Allocator& allocator) {
    return copyString(value, allocator);
}

} // namespace

Value copyString(std::string_view text, Allocator& allocator) {
    // An empty view may carry no pointer at all.
    return Value(text.empty() ? "" : text.data(), static_cast<rapidjson::SizeType>(text.size()), allocator);
}

Value* findMember(Value* object, std::string_view key) {
    if (!object || !object->IsObject()) return nullptr;
    // Indexed: comparing the library's member iterators is ambiguous under C++20's rewritten !=.
    const auto members = object->MemberBegin();
    for (rapidjson::SizeType i = 0; i < object->MemberCount(); ++i) {
        const Value& name = members[i].name;
        if (std::string_view(name.GetString(), name.GetStringLength()) == key) return &members[i].value;
    }
    return nullptr;
}

template <typename T>
bool getMember(const JSONDocument* document, const Value* object, std::string_view key, T& out) {
    traceLookUp(document, object);
    const Value* member = findMember(const_cast<Value*>(object), key);
    if (!member) {
        logKey(LOG_LOW, "JSON: \"", key, "\" not found");
        return false;
    }
    if ((document && document->isWideInteger(*member)) || !accept(*member, out)) {
        logKey(LOG_MED, "JSON: \"", key, "\" type mismatch");
        traceMismatch(document, object, key, *member, expectedText(out));
        return false;
    }
    return true;
}

template <typename T> bool setMember(Value* object, Allocator* allocator, std::string_view key, T value) {
    if (!object || !allocator || !object->IsObject()) {
        logKey(LOG_LOW, "JSON: FAILED TO SET \"", key, "\"");
        return false;
    }
    if constexpr (std::is_same_v<T, float>) {
        // JSON has no NaN or infinity; storing one would make the document unwritable.
        if (!std::isfinite(value)) {
            logKey(LOG_MED, "JSON: \"", key, "\" is not a finite number");
            return false;
        }
    }
    if (Value* member = findMember(object, key)) {
        *member = makeValue(value, *allocator);
        return true;
    }
    Value name = copyString(key, *allocator);
    Value content = makeValue(value, *allocator);
    object->AddMember(name, content, *allocator);
    return true;
}

Value* arrayMember(const JSONDocument* document, Value* object, std::string_view key, bool quoteKey) {
    traceLookUp(document, object);
    Value* member = findMember(object, key);
    if (member && member->IsArray()) return member;
    if (member) traceMismatch(document, object, key, *member, "an array");
    if (quoteKey) {
        logKey(LOG_LOW, "JSON: \"", key, "\" is not a valid array");
    } else {
        logKey(LOG_LOW, "JSON: ", key, " is not a valid array");
    }
    return nullptr;
}

template bool getMember(const JSONDocument*, const Value*, std::string_view, float&);
template bool getMember(const JSONDocument*, const Value*, std::string_view, int&);
template bool getMember(const JSONDocument*, const Value*, std::string_view, unsigned&);
template bool getMember(const JSONDocument*, const Value*, std::string_view, bool&);
template bool getMember(const JSONDocument*, const Value*, std::string_view, std::string&);

template bool setMember(Value*, Allocator*, std::string_view, bool);
template bool setMember(Value*, Allocator*, std::string_view, int);
template bool setMember(Value*, Allocator*, std::string_view, unsigned);
template bool setMember(Value*, Allocator*, std::string_view, float);
template bool setMember(Value*, Allocator*, std::string_view, std::string_view);

} // namespace Qel::jsonDetail
