#pragma once

#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

namespace Qel {

/// A member that a reader asked for and could not take as the type it reads.
struct JSONTypeProblem {
    /// From the document root: "Scene.gameObjects[3].components[1].mass".
    std::string path;
    /// What the file holds there ("the integer 4").
    std::string found;
    /// What the reader takes ("a real, written with a decimal point: 4.0").
    std::string expected;
};

/// A string member that a reader took as the name of an asset.
struct JSONAssetReference {
    std::string path;
    /// The value type of the registry the name is looked up in.
    std::type_index kind;
    std::string name;
};

/// Watches the JSON readers of the thread it lives on, for a tool that reports content problems
/// with their place in the file: while one lives, the getters, getArray and cd record every member
/// that is present with a type they do not accept, and the readers' asset look-ups record the
/// names they look up. It changes nothing the readers return or log. One per thread at a time.
class JSONReadTrace {
public:
    JSONReadTrace();
    ~JSONReadTrace();
    JSONReadTrace(const JSONReadTrace&) = delete;
    JSONReadTrace& operator=(const JSONReadTrace&) = delete;

    /// The path of the object the latest look-up was made in ("" before any, or for the root):
    /// where a reader's own log line about that object belongs. Only while its document lives.
    std::string lastObjectPath() const;

    /// Called by the readers right after reading the string member `key` as the name of an asset
    /// whose registry holds `kind`; does nothing when no trace lives on this thread.
    static void noteAssetReference(std::type_index kind, std::string_view key, std::string_view name);

    std::vector<JSONTypeProblem> typeProblems;
    std::vector<JSONAssetReference> references;

    /// The document and object of the latest look-up, as the JSON code knows them.
    const void* lastDocument = nullptr;
    const void* lastObject = nullptr;
};

} // namespace Qel
