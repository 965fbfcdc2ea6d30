#include "data/JSONArr.h"

#include "data/JSONDetail.h"

namespace Qel {

using jsonDetail::unwrap;
using jsonDetail::Value;
using jsonDetail::wrap;

namespace {

// An empty iter (from an invalid view) has no document; the setters then log and refuse.
jsonDetail::Allocator* allocatorOf(JSONDocument* document) {
    return document ? &document->GetAllocator() : nullptr;
}

} // namespace

bool JSONArr::isValid() const {
    return array && unwrap(array)->IsArray();
}

size_t JSONArr::size() const {
    return isValid() ? unwrap(array)->Size() : 0;
}

JSONArr::iter JSONArr::begin() const {
    return isValid() ? iter(wrap(unwrap(array)->Begin()), document) : iter();
}

JSONArr::iter JSONArr::end() const {
    return isValid() ? iter(wrap(unwrap(array)->End()), document) : iter();
}

JSONArr::iter JSONArr::append() const {
    if (!isValid()) return iter();
    Value& elements = *unwrap(array);
    Value element(rapidjson::kObjectType);
    elements.PushBack(element, document->GetAllocator());
    return iter(wrap(&elements[elements.Size() - 1]), document);
}

bool JSONArr::iter::get(std::string_view key, float& out) const {
    return jsonDetail::getMember(document, unwrap(value), key, out);
}
bool JSONArr::iter::get(std::string_view key, int& out) const {
    return jsonDetail::getMember(document, unwrap(value), key, out);
}
bool JSONArr::iter::get(std::string_view key, unsigned& out) const {
    return jsonDetail::getMember(document, unwrap(value), key, out);
}
bool JSONArr::iter::get(std::string_view key, bool& out) const {
    return jsonDetail::getMember(document, unwrap(value), key, out);
}
bool JSONArr::iter::get(std::string_view key, std::string& out) const {
    return jsonDetail::getMember(document, unwrap(value), key, out);
}

JSONArr JSONArr::iter::getArray(std::string_view key) const {
    Value* found = jsonDetail::arrayMember(document, unwrap(value), key, true);
    return found ? JSONArr(wrap(found), document) : JSONArr();
}

bool JSONArr::iter::set(std::string_view key, bool content) const {
    return jsonDetail::setMember(unwrap(value), allocatorOf(document), key, content);
}
bool JSONArr::iter::set(std::string_view key, int content) const {
    return jsonDetail::setMember(unwrap(value), allocatorOf(document), key, content);
}
bool JSONArr::iter::set(std::string_view key, unsigned content) const {
    return jsonDetail::setMember(unwrap(value), allocatorOf(document), key, content);
}
bool JSONArr::iter::set(std::string_view key, float content) const {
    return jsonDetail::setMember(unwrap(value), allocatorOf(document), key, content);
}
bool JSONArr::iter::set(std::string_view key, std::string_view content) const {
    return jsonDetail::setMember(unwrap(value), allocatorOf(document), key, content);
}

bool JSONArr::iter::isObject() const {
    return value && unwrap(value)->IsObject();
}

JSONArr::iter& JSONArr::iter::operator++() {
    value = wrap(unwrap(value) + 1);
    return *this;
}

} // namespace Qel
