// Parses arbitrary bytes, reads them the way the engine's loaders do, edits the document and
// checks that what is written reads back and writes out identically.
#include "FuzzSupport.h"

namespace {

constexpr const char* kKeys[] = {"name", "prefab", "components", "x", "Scene", "", "CFGVersion", "a"};

template <typename Source> void readAll(const Source& source) {
    for (const char* key : kKeys) {
        float f = 0.0f;
        int i = 0;
        unsigned u = 0;
        bool b = false;
        std::string s;
        source.get(key, f);
        source.get(key, i);
        source.get(key, u);
        source.get(key, b);
        source.get(key, s);
    }
}

std::string written(const Qel::JSON& json) {
    std::ostringstream out;
    fuzz::require(json.write(out));
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::installQuietLog();
    Qel::JSON json = fuzz::parse(fuzz::text(data, size));

    readAll(json);
    for (const char* key : kKeys) {
        for (const Qel::JSONArr::iter& element : json.getArray(key)) {
            readAll(element);
            for (const Qel::JSONArr::iter& inner : element.getArray("components"))
                readAll(inner);
        }
    }
    if (json.cd("Scene")) readAll(json);
    json.cursor = nullptr;

    const std::string first = written(json);
    if (json.isParsed()) {
        const Qel::JSON again = fuzz::parse(first);
        fuzz::require(again.isParsed() && written(again) == first);
    }

    json.set("a", 1);
    json.set("x", 0.6f);
    json.set("name", "fuzz");
    Qel::JSONArr created = json.createArray("components");
    if (created.isValid()) created.append().set("name", "Transform");
    written(json);
    return 0;
}
