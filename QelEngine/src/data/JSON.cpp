#include "data/JSON.h"

#include "QelCore/LogManager.h"
#include "data/JSONDetail.h"

#include <rapidjson/ostreamwrapper.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/reader.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <istream>
#include <ostream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace Qel {

using jsonDetail::Allocator;
using jsonDetail::unwrap;
using jsonDetail::Value;
using jsonDetail::wrap;

namespace {

// Buffered input from a std::istream. Unlike the library's own wrapper it can tell a NUL byte
// in the data (which the parser takes for the end of input) from the real end of the stream,
// so "{} <NUL> junk" is not accepted as "{}".
class StreamSource {
public:
    using Ch = char;

    explicit StreamSource(std::istream& in) : in(in), buffer(64 * 1024) { refill(); }

    Ch Peek() const { return current < end ? *current : '\0'; }
    Ch Take() {
        if (current == end) return '\0';
        const Ch c = *current++;
        ++consumed;
        if (current == end) refill();
        return c;
    }
    size_t Tell() const { return consumed; }
    bool exhausted() const { return current == end; }

    // Only used by in-situ parsing, which reads from a mutable buffer instead.
    Ch* PutBegin() { return nullptr; }
    void Put(Ch) {}
    void Flush() {}
    size_t PutEnd(Ch*) { return 0; }

private:
    void refill() {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        current = buffer.data();
        end = current + in.gcount();
    }

    std::istream& in;
    std::vector<Ch> buffer;
    const Ch* current = nullptr;
    const Ch* end = nullptr;
    size_t consumed = 0;
};

// Builds the document from the parser's events, converting number text itself. std::from_chars
// rounds every real correctly, so a written real reads back as exactly the value that was
// written; the library's fast conversion can land one unit off in the last place, and its
// exact one reads out of bounds on some long inputs. Nesting past JSON::kMaxDepth stops the
// parse. Everything else goes to the document as is.
class DocumentBuilder {
public:
    explicit DocumentBuilder(JSONDocument& document) : document(document) {}

    bool Null() { return document.Null(); }
    bool Bool(bool value) { return document.Bool(value); }
    bool Int(int value) { return document.Int(value); }
    bool Uint(unsigned value) { return document.Uint(value); }
    bool Int64(int64_t value) { return document.Int64(value); }
    bool Uint64(uint64_t value) { return document.Uint64(value); }
    bool Double(double value) { return document.Double(value); }
    bool String(const char* text, rapidjson::SizeType length, bool copy) {
        return document.String(text, length, copy);
    }
    bool StartObject() { return enter() && document.StartObject(); }
    bool Key(const char* text, rapidjson::SizeType length, bool copy) {
        return document.Key(text, length, copy);
    }
    bool EndObject(rapidjson::SizeType members) {
        --depth;
        return document.EndObject(members);
    }
    bool StartArray() { return enter() && document.StartArray(); }
    bool EndArray(rapidjson::SizeType elements) {
        --depth;
        return document.EndArray(elements);
    }

    // `text` has already been checked against the JSON number grammar by the parser.
    bool RawNumber(const char* text, rapidjson::SizeType length, bool) {
        const char* end = text + length;
        const bool integer =
            std::find_if(text, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; }) == end;
        if (integer) {
            if (text[0] == '-') {
                int64_t value = 0;
                if (std::from_chars(text, end, value).ec == std::errc()) return document.Int64(value);
            } else {
                uint64_t value = 0;
                if (std::from_chars(text, end, value).ec == std::errc()) return document.Uint64(value);
            }
            // Wider than 64 bits: still an integer literal, never a real.
            return document.keepWideInteger(text, length);
        }
        double value = 0.0;
        const std::from_chars_result result = std::from_chars(text, end, value);
        if (result.ec == std::errc()) return document.Double(value);
        // The parser has already refused significands and positive exponents beyond the double
        // range, so a negative exponent out of range is an underflow to zero.
        const std::string_view number(text, length);
        if (result.ec == std::errc::result_out_of_range &&
            (number.find("e-") != std::string_view::npos || number.find("E-") != std::string_view::npos)) {
            return document.Double(text[0] == '-' ? -0.0 : 0.0);
        }
        return false;
    }

    /// True once an object or array opened past the limit.
    bool tooDeep() const { return depth > JSON::kMaxDepth; }

private:
    bool enter() { return ++depth <= JSON::kMaxDepth; }

    JSONDocument& document;
    size_t depth = 0;
};

// Runs the parser for Document::Populate, which takes the finished root off the builder's stack.
struct ParseRun {
    StreamSource& source;
    DocumentBuilder builder;
    rapidjson::ParseResult result{};

    bool operator()(rapidjson::Document&) {
        // Iterative: nesting depth costs heap, not stack.
        constexpr unsigned kFlags = rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag;
        rapidjson::Reader reader;
        result = reader.Parse<kFlags>(source, builder);
        return !result.IsError();
    }
};

using Writer = rapidjson::PrettyWriter<rapidjson::OStreamWrapper>;

bool writeScalar(const JSONDocument& document, const Value& value, Writer& writer) {
    switch (value.GetType()) {
    case rapidjson::kNullType:
        return writer.Null();
    case rapidjson::kFalseType:
        return writer.Bool(false);
    case rapidjson::kTrueType:
        return writer.Bool(true);
    case rapidjson::kStringType:
        if (document.isWideInteger(value))
            return writer.RawValue(value.GetString(), value.GetStringLength(), rapidjson::kNumberType);
        return writer.String(value.GetString(), value.GetStringLength());
    case rapidjson::kNumberType:
        if (value.IsDouble()) return writer.Double(value.GetDouble());
        if (value.IsInt()) return writer.Int(value.GetInt());
        if (value.IsUint()) return writer.Uint(value.GetUint());
        if (value.IsInt64()) return writer.Int64(value.GetInt64());
        return writer.Uint64(value.GetUint64());
    default:
        return false;
    }
}

// Walks the tree with an explicit stack instead of the library's recursive Accept, which knows
// nothing of wide integers.
bool writeTree(const JSONDocument& document, Writer& writer) {
    struct Open {
        const Value* container;
        rapidjson::SizeType next;
    };
    std::vector<Open> open;
    const Value* pending = &document;
    while (true) {
        if (pending) {
            bool ok = true;
            if (pending->IsObject()) {
                ok = writer.StartObject();
                open.push_back({pending, 0});
            } else if (pending->IsArray()) {
                ok = writer.StartArray();
                open.push_back({pending, 0});
            } else {
                ok = writeScalar(document, *pending, writer);
            }
            if (!ok) return false;
            pending = nullptr;
        }
        if (open.empty()) return true;
        Open& top = open.back();
        const Value& container = *top.container;
        if (container.IsObject()) {
            if (top.next == container.MemberCount()) {
                if (!writer.EndObject(container.MemberCount())) return false;
                open.pop_back();
                continue;
            }
            const auto& member = container.MemberBegin()[top.next++];
            if (!writer.Key(member.name.GetString(), member.name.GetStringLength())) return false;
            pending = &member.value;
        } else {
            if (top.next == container.Size()) {
                if (!writer.EndArray(container.Size())) return false;
                open.pop_back();
                continue;
            }
            pending = &container[top.next++];
        }
    }
}

} // namespace

bool JSONDocument::keepWideInteger(const char* text, rapidjson::SizeType length) {
    auto* kept = static_cast<char*>(GetAllocator().Malloc(length + 1));
    std::memcpy(kept, text, length);
    kept[length] = '\0';
    wideIntegers.insert(kept);
    // Not copied: the value points at the kept text, which is how isWideInteger knows it.
    return String(kept, length, false);
}

JSON::JSON() : document(std::make_unique<JSONDocument>()) {}

JSON::~JSON() = default;

JSON::JSON(JSON&& other) : JSON() {
    *this = std::move(other);
}

JSON& JSON::operator=(JSON&& other) noexcept {
    std::swap(document, other.document);
    std::swap(cursor, other.cursor);
    std::swap(flags, other.flags);
    return *this;
}

void JSON::parse(std::istream& in) {
    if (isParsed()) return;
    cursor = nullptr;
    auto parsed = std::make_unique<JSONDocument>();
    StreamSource source(in);
    ParseRun run{source, DocumentBuilder(*parsed)};
    parsed->Populate(run);
    if (run.result.IsError() || !source.exhausted()) {
        // A fresh document also drops whatever the failed parse allocated.
        document = std::make_unique<JSONDocument>();
        if (run.builder.tooDeep()) logf(LOG_HIGH, "JSON: nested deeper than %zu levels", kMaxDepth);
        log(LOG_HIGH, "JSON: Parse error");
        return;
    }
    document = std::move(parsed);
    flags |= kFlagParsed;
}

bool JSON::write(std::ostream& out) const {
    if (!out.good()) return false;
    rapidjson::OStreamWrapper stream(out);
    Writer writer(stream);
    writer.SetIndent('\t', 1);
    const bool complete = writeTree(*document, writer);
    out.flush();
    return complete && out.good();
}

JSONValue* JSON::target() const {
    return cursor ? cursor : wrap(static_cast<Value*>(document.get()));
}

JSONValue* JSON::writableTarget() {
    // An empty document is a new file being built: it becomes an object on first write.
    if (!cursor && document->IsNull()) document->SetObject();
    return target();
}

bool JSON::isObject() const {
    return unwrap(target())->IsObject();
}

bool JSON::cd(std::string_view key) {
    jsonDetail::traceLookUp(document.get(), unwrap(target()));
    Value* member = jsonDetail::findMember(unwrap(target()), key);
    if (member && !member->IsObject())
        jsonDetail::traceMismatch(document.get(), unwrap(target()), key, *member, "an object");
    if (!member || !member->IsObject()) {
        log(LOG_LOW, "JSON: CD TARGET NOT A VALID OBJECT");
        return false;
    }
    cursor = wrap(member);
    return true;
}

bool JSON::get(std::string_view key, float& out) const {
    return jsonDetail::getMember(document.get(), unwrap(target()), key, out);
}
bool JSON::get(std::string_view key, int& out) const {
    return jsonDetail::getMember(document.get(), unwrap(target()), key, out);
}
bool JSON::get(std::string_view key, unsigned& out) const {
    return jsonDetail::getMember(document.get(), unwrap(target()), key, out);
}
bool JSON::get(std::string_view key, bool& out) const {
    return jsonDetail::getMember(document.get(), unwrap(target()), key, out);
}
bool JSON::get(std::string_view key, std::string& out) const {
    return jsonDetail::getMember(document.get(), unwrap(target()), key, out);
}

JSONArr JSON::getArray(std::string_view key) {
    Value* array = jsonDetail::arrayMember(document.get(), unwrap(target()), key, false);
    return array ? JSONArr(wrap(array), document.get()) : JSONArr();
}

JSONArr JSON::createArray(std::string_view key) {
    Value* object = unwrap(writableTarget());
    Allocator& allocator = document->GetAllocator();
    if (Value* member = jsonDetail::findMember(object, key)) {
        if (member->IsArray()) return JSONArr(wrap(member), document.get());
        log(LOG_LOW, "JSON: \"" + std::string(key) + "\" exists and is not a valid array");
        return JSONArr();
    }
    if (object->IsObject()) {
        Value name = jsonDetail::copyString(key, allocator);
        Value array(rapidjson::kArrayType);
        object->AddMember(name, array, allocator);
    }
    Value* created = jsonDetail::findMember(object, key);
    if (!created || !created->IsArray()) {
        log(LOG_LOW, "JSON: FAILED TO CREATE ARRAY \"" + std::string(key) + "\"");
        return JSONArr();
    }
    return JSONArr(wrap(created), document.get());
}

bool JSON::set(std::string_view key, bool value) {
    return jsonDetail::setMember(unwrap(writableTarget()), &document->GetAllocator(), key, value);
}
bool JSON::set(std::string_view key, int value) {
    return jsonDetail::setMember(unwrap(writableTarget()), &document->GetAllocator(), key, value);
}
bool JSON::set(std::string_view key, unsigned value) {
    return jsonDetail::setMember(unwrap(writableTarget()), &document->GetAllocator(), key, value);
}
bool JSON::set(std::string_view key, float value) {
    return jsonDetail::setMember(unwrap(writableTarget()), &document->GetAllocator(), key, value);
}
bool JSON::set(std::string_view key, std::string_view value) {
    return jsonDetail::setMember(unwrap(writableTarget()), &document->GetAllocator(), key, value);
}

} // namespace Qel
