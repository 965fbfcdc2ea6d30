#pragma once

#include <bitset>
#include <iostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace Qel {

class JSON;

/// Which collision layers accept which others as partners. The physics system owns one and
/// rebuilds it from every scene. A name the table does not know behaves as "Default".
class CollisionLayerTable {
public:
    using LayerSet = std::bitset<32>;

    /// Holds only "Default": mask bit 0, accepting nothing.
    CollisionLayerTable();

    /// Gives a new layer the next free bit as its mask (no bit from the 33rd layer on) and
    /// accepts nothing yet. False when the name is already registered.
    bool registerLayer(const std::string& name);

    /// Sets the layers `name` accepts from binary digits, most significant first; only the
    /// first 32 characters count. Digits other than 0 and 1 are logged and leave the layer
    /// accepting nothing. False when the layer is unknown or the digits were rejected.
    bool setBits(const std::string& name, std::string_view digits);

    /// Makes each of the two layers accept the other. False unless both are registered.
    bool enable(const std::string& a, const std::string& b);

    LayerSet getBits(const std::string& name) const;
    LayerSet getMask(const std::string& name) const;

    /// Pair test of the physics step: a querying entity on `queryLayer` considers a candidate on
    /// `candidateLayer` only when every bit of the candidate's mask is accepted by the query.
    bool accepts(const std::string& queryLayer, const std::string& candidateLayer) const;

    /// Rebuilds the table from "Scene"."CollisionLayers"."Layers" and dumps it. False (the table
    /// then holds only "Default") when the scene has no "CollisionLayers" object. The cursor of
    /// `doc` is left inside "CollisionLayers".
    bool loadFromScene(JSON& doc);

    /// Writes every layer's bits and mask, in order of registration.
    void dump(std::ostream& out = std::cout) const;

private:
    struct Layer {
        LayerSet mask;
        LayerSet bits;
    };

    const Layer& find(const std::string& name) const;

    std::unordered_map<std::string, Layer> layers;
    std::vector<std::string> order;
};

} // namespace Qel
