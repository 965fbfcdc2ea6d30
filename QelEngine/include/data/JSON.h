#pragma once

#include "data/JSONArr.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace Qel {

struct JSONDocument;

/// One JSON document with a cursor that key look-ups start from.
///
/// Readers set their defaults first and then call the typed getters one key at a time: a missing
/// key logs "JSON: \"key\" not found" (LOW), a key of the wrong type logs "JSON: \"key\" type
/// mismatch" (MED); either way the getter returns false and leaves `out` untouched.
/// Float keys accept only numbers written with a fraction or an exponent (1.0, not 1).
///
/// Array views, iterators and the cursor point into the document and die with it. Like vector
/// iterators, views of members of an object are invalidated when a member is appended to that
/// same object (set() or createArray() with a new key).
class JSON {
public:
    static constexpr uint8_t kFlagParsed = 1;
    /// Deepest nesting of objects and arrays a document may have (the root counts as one level).
    /// Our content nests a few levels; the limit keeps a hostile file from costing time and
    /// memory out of all proportion to its size when it is read or written back.
    static constexpr size_t kMaxDepth = 256;

    JSON();
    ~JSON();
    JSON(const JSON&) = delete;
    JSON& operator=(const JSON&) = delete;
    /// The source is left as a fresh, empty, unparsed document.
    JSON(JSON&& other);
    JSON& operator=(JSON&& other) noexcept;

    /// Parses the whole stream as one JSON text. Ignored when the document is already parsed.
    /// On failure logs "JSON: Parse error" (HIGH) and leaves the document empty and unparsed.
    /// Either way of actually parsing resets the cursor to the root.
    void parse(std::istream& in);
    bool isParsed() const { return (flags & kFlagParsed) != 0; }

    /// Pretty-prints the document, one tab per level, reals in their shortest round-trip form.
    /// Returns false when the stream is not usable beforehand or the writing failed.
    bool write(std::ostream& out) const;

    /// True when the cursor's object (the root when the cursor is null) is a JSON object; an
    /// empty document is not.
    bool isObject() const;

    /// Moves the cursor into the object member `key` of the cursor object. Returns false and
    /// keeps the cursor when the member is missing or not an object.
    bool cd(std::string_view key);

    bool get(std::string_view key, float& out) const;
    bool get(std::string_view key, int& out) const;
    bool get(std::string_view key, unsigned& out) const;
    bool get(std::string_view key, bool& out) const;
    /// Copies the string up to its first NUL character.
    bool get(std::string_view key, std::string& out) const;

    /// View of the array member `key` of the cursor object; invalid (and logged) when missing
    /// or not an array.
    JSONArr getArray(std::string_view key);
    /// View of the array member `key`, appended as an empty array when missing. Invalid (and
    /// logged) when the member exists with another type.
    JSONArr createArray(std::string_view key);

    /// Replace-or-append at the cursor object: an existing member keeps its position, a new one
    /// goes last. An empty (unparsed) document becomes an object first. Returns false (logged)
    /// when the root is some other non-object value, or for a non-finite float, which could not
    /// be written back as JSON.
    bool set(std::string_view key, bool value);
    bool set(std::string_view key, int value);
    bool set(std::string_view key, unsigned value);
    bool set(std::string_view key, float value);
    bool set(std::string_view key, std::string_view value);
    /// Keeps string literals from converting to bool.
    bool set(std::string_view key, const char* value) { return set(key, std::string_view(value)); }

    /// Object that look-ups start from; null means the root. Callers clear it to go back up.
    JSONValue* cursor = nullptr;

private:
    JSONValue* target() const;
    JSONValue* writableTarget();

    std::unique_ptr<JSONDocument> document;
    uint8_t flags = 0;
};

} // namespace Qel
