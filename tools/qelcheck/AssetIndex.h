#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <typeindex>

namespace Qel::Check {

/// The asset names a content folder offers, per kind, found the way the engine's loaders find
/// them (the same folders, extensions and naming rule).
class AssetIndex {
public:
    /// One kind: what it is called in messages, and its names.
    struct Kind {
        std::string label;
        std::string where;
        std::set<std::string> names;
    };

    explicit AssetIndex(const std::filesystem::path& folder);

    /// The kind whose registry holds values of type `type`; null for a kind not indexed (shaders
    /// are built into the renderer and are not checked).
    const Kind* find(std::type_index type) const;

    Kind textures, fonts, controllers, clips, meshes, cursors, sounds, scripts;

private:
    std::map<std::type_index, const Kind*> byType;
};

} // namespace Qel::Check
