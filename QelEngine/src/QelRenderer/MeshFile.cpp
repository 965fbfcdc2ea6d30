#include "QelRenderer/MeshFile.h"

#include "QelCore/LogManager.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace Qel {

namespace {

/// Splits text at blanks (spaces, tabs, carriage returns).
std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t\r", at);
        if (at == std::string_view::npos) break;
        const size_t end = std::min(text.find_first_of(" \t\r", at), text.size());
        result.push_back(text.substr(at, end - at));
        at = end;
    }
    return result;
}

template <class Number> bool parseNumber(std::string_view word, Number& out) {
    const char* end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, out);
    return error == std::errc() && stop == end;
}

/// The first two words of text as a finite pair, or false.
bool parsePair(std::string_view text, glm::vec2& out) {
    const std::vector<std::string_view> values = words(text);
    return values.size() >= 2 && parseNumber(values[0], out.x) && parseNumber(values[1], out.y) &&
           std::isfinite(out.x) && std::isfinite(out.y);
}

class MeshParser {
public:
    explicit MeshParser(std::string_view source) : source(source) {}

    void line(std::string_view text) {
        ++lineNumber;
        if (text.size() < 2) return;
        const std::string_view tag = text.substr(0, 2);
        const std::string_view rest = text.substr(2);
        if (tag == "n ") {
            const std::vector<std::string_view> name = words(rest);
            data.name = name.empty() ? std::string() : std::string(name.front());
        } else if (tag == "v ") {
            pair(rest, data.positions, "position");
        } else if (tag == "u ") {
            pair(rest, data.texCoords, "texture coordinate");
        } else if (tag == "ts") {
            indices(rest, kPrimitiveTriangleStrip);
        } else if (tag == "ll") {
            indices(rest, kPrimitiveLineLoop);
        }
    }

    MeshData finish() {
        const size_t vertexCount = data.positions.size();
        if (!data.texCoords.empty() && data.texCoords.size() != vertexCount) {
            logf(LOG_MED, "%.*s: %zu texture coordinates for %zu positions; the rest read as (0, 0)", name(),
                 source.data(), data.texCoords.size(), vertexCount);
            data.texCoords.resize(vertexCount, glm::vec2(0.0f));
        }
        const size_t before = data.indices.size();
        std::erase_if(data.indices, [vertexCount](uint16_t index) { return index >= vertexCount; });
        if (data.indices.size() != before) {
            logf(LOG_MED, "%.*s: %zu indices name no vertex (there are %zu) and are dropped", name(),
                 source.data(), before - data.indices.size(), vertexCount);
        }
        return std::move(data);
    }

private:
    int name() const { return static_cast<int>(source.size()); }

    void malformed(const char* what) {
        logf(LOG_MED, "%.*s: line %zu: malformed %s ignored", name(), source.data(), lineNumber, what);
    }

    void pair(std::string_view text, std::vector<glm::vec2>& into, const char* what) {
        glm::vec2 value;
        if (parsePair(text, value)) {
            into.push_back(value);
        } else {
            malformed(what);
        }
    }

    void indices(std::string_view text, uint32_t primitive) {
        data.primitive = primitive;
        for (const std::string_view word : words(text)) {
            uint16_t index = 0;
            if (parseNumber(word, index)) {
                data.indices.push_back(index);
            } else {
                malformed("index");
            }
        }
    }

    std::string_view source;
    size_t lineNumber = 0;
    MeshData data;
};

} // namespace

MeshData parseMeshFile(std::istream& in, std::string_view source) {
    MeshParser parser(source);
    std::string text;
    while (std::getline(in, text))
        parser.line(text);
    return parser.finish();
}

} // namespace Qel
