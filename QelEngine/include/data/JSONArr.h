#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Qel {

/// Opaque handles into a JSON document; only data/JSON*.cpp knows what they are.
struct JSONValue;
struct JSONDocument;

/// View of one array inside a JSON document (see Qel::JSON for lifetimes). An invalid view
/// (the array could not be obtained) has size 0 and iterates over nothing.
class JSONArr {
public:
    /// One element of the array. Elements are expected to be objects: the getters look keys
    /// up in the element exactly as Qel::JSON's getters do at its cursor, with the same
    /// messages; an element that is not an object has no keys. Copying an iter copies the view.
    class iter {
    public:
        iter() = default;

        bool get(std::string_view key, float& out) const;
        bool get(std::string_view key, int& out) const;
        bool get(std::string_view key, unsigned& out) const;
        bool get(std::string_view key, bool& out) const;
        bool get(std::string_view key, std::string& out) const;

        /// Logs "JSON: \"key\" is not a valid array" (LOW) when missing or not an array.
        JSONArr getArray(std::string_view key) const;

        /// Replace-or-append in the element object, as Qel::JSON::set.
        bool set(std::string_view key, bool content) const;
        bool set(std::string_view key, int content) const;
        bool set(std::string_view key, unsigned content) const;
        bool set(std::string_view key, float content) const;
        bool set(std::string_view key, std::string_view content) const;
        bool set(std::string_view key, const char* content) const {
            return set(key, std::string_view(content));
        }

        /// True when the element is a JSON object.
        bool isObject() const;

        /// Advances to the next element; the end is one past the last element.
        iter& operator++();
        const iter& operator*() const { return *this; }
        const iter* operator->() const { return this; }
        bool operator==(const iter& other) const { return value == other.value; }

    private:
        friend class JSONArr;
        iter(JSONValue* value, JSONDocument* document) : value(value), document(document) {}

        JSONValue* value = nullptr;
        JSONDocument* document = nullptr;
    };

    JSONArr() = default;

    bool isValid() const;
    size_t size() const;
    iter begin() const;
    iter end() const;

    /// Appends an empty object and returns it (an empty iter on an invalid view). Like
    /// push_back on a vector, this invalidates the iters taken from this array before.
    iter append() const;

private:
    friend class JSON;
    friend class iter;
    JSONArr(JSONValue* array, JSONDocument* document) : array(array), document(document) {}

    JSONValue* array = nullptr;
    /// The owning document: its allocator for new values, and what it knows about its values.
    JSONDocument* document = nullptr;
};

} // namespace Qel
