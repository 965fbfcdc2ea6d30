#include "data/ContentFiles.h"

#include "data/AssetManager.h"
#include "data/JSON.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>

namespace Qel {

namespace {

/// Registry value: the digest of a content file, keyed by the name hash of its path.
struct ContentDigest {
    uint64_t value = 0;
};

} // namespace

bool readContent(const std::filesystem::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

JSON parseContent(const std::string& bytes) {
    std::istringstream in(bytes);
    JSON doc;
    doc.parse(in);
    return doc;
}

void noteContent(std::string_view path, std::string_view bytes) {
    AssetManager* assets = AssetManager::instance();
    if (!assets) return;
    // The file's bytes are hashed like a name: 64 bits make an unnoticed edit vanishingly unlikely.
    assets->obtainRegistry<ContentDigest>()->assign(hashName(path), {hashName(bytes)});
}

bool sameContent(std::string_view path, std::string_view bytes) {
    AssetManager* assets = AssetManager::instance();
    Registry<ContentDigest>* digests = assets ? assets->findRegistry<ContentDigest>() : nullptr;
    const ContentDigest* noted = digests ? digests->get(hashName(path)) : nullptr;
    return noted && noted->value == hashName(bytes);
}

} // namespace Qel
