#pragma once

// Private to data/JSON.cpp and data/JSONArr.cpp: the only place RapidJSON is visible.

#include "data/JSONArr.h"

#include <rapidjson/document.h>

#include <string_view>
#include <unordered_set>

namespace Qel {

namespace jsonDetail {
using Value = rapidjson::Value;
using Allocator = rapidjson::Document::AllocatorType;
} // namespace jsonDetail

struct JSONDocument : rapidjson::Document {
    /// Keeps an integer literal too wide for 64 bits as a string value of its own text, so it
    /// is never read as a real and is written back as it was. Call while building the document.
    bool keepWideInteger(const char* text, rapidjson::SizeType length);
    /// True for a value that keepWideInteger made; it is no string as far as readers know.
    bool isWideInteger(const jsonDetail::Value& value) const {
        return value.IsString() && wideIntegers.contains(value.GetString());
    }

private:
    /// The text of each such literal, allocated in the document; values point at it.
    std::unordered_set<const char*> wideIntegers;
};

namespace jsonDetail {

// The opaque handles are never dereferenced as themselves: they only carry these pointers.
inline Value* unwrap(JSONValue* value) {
    return reinterpret_cast<Value*>(value);
}
inline JSONValue* wrap(Value* value) {
    return reinterpret_cast<JSONValue*>(value);
}

/// A string value holding a copy of `text`, allocated in the document.
Value copyString(std::string_view text, Allocator& allocator);

/// First member named exactly `key` (length, then bytes); null when `object` is null, not an
/// object, or has no such member.
Value* findMember(Value* object, std::string_view key);

/// Typed getter over one object of `document` (null with a null object), with the uniform
/// messages. T: float, int, unsigned, bool, std::string.
template <typename T>
bool getMember(const JSONDocument* document, const Value* object, std::string_view key, T& out);

/// The array member `key`, or null after logging that it is not a valid array (the key in
/// quotes when `quoteKey`).
Value* arrayMember(const JSONDocument* document, Value* object, std::string_view key, bool quoteKey);

/// Replace-or-append of one member; logs and returns false when `object` is not an object.
/// T: bool, int, unsigned, float, std::string_view.
template <typename T> bool setMember(Value* object, Allocator* allocator, std::string_view key, T value);

/// Read tracing (see JSONReadTrace); both do nothing unless a trace lives on this thread.
/// A look-up is about to be made in `object` of `document`.
void traceLookUp(const JSONDocument* document, const Value* object);
/// The member `key` of `object` is present but is not `expected` (a short description: "an
/// array", "a string"; "a real" gets the integer-literal advice itself).
void traceMismatch(const JSONDocument* document, const Value* object, std::string_view key,
                   const Value& member, std::string_view expected);

} // namespace jsonDetail
} // namespace Qel
