#include "QelSceneManager/CollisionLayerTable.h"

#include "QelCore/LogManager.h"
#include "data/JSON.h"

namespace Qel {

namespace {

constexpr const char* kDefaultLayer = "Default";

} // namespace

CollisionLayerTable::CollisionLayerTable() {
    registerLayer(kDefaultLayer);
}

bool CollisionLayerTable::registerLayer(const std::string& name) {
    if (layers.contains(name)) return false;
    Layer layer;
    if (order.size() < layer.mask.size()) layer.mask.set(order.size());
    layers.emplace(name, layer);
    order.push_back(name);
    return true;
}

bool CollisionLayerTable::setBits(const std::string& name, std::string_view digits) {
    auto found = layers.find(name);
    if (found == layers.end()) return false;
    LayerSet& bits = found->second.bits;
    bits.reset();
    // Same reading as a bitset built from text: the first 32 characters, the last of them bit 0.
    const std::string_view used = digits.substr(0, bits.size());
    for (size_t i = 0; i < used.size(); ++i) {
        const char digit = used[i];
        if (digit != '0' && digit != '1') {
            bits.reset();
            logf(LOG_HIGH, "Collision layer \"%s\": bits may hold only 0 and 1, the layer accepts no partner",
                 name.c_str());
            return false;
        }
        bits[used.size() - 1 - i] = digit == '1';
    }
    return true;
}

bool CollisionLayerTable::enable(const std::string& a, const std::string& b) {
    auto first = layers.find(a);
    auto second = layers.find(b);
    if (first == layers.end() || second == layers.end()) return false;
    first->second.bits |= second->second.mask;
    second->second.bits |= first->second.mask;
    return true;
}

const CollisionLayerTable::Layer& CollisionLayerTable::find(const std::string& name) const {
    auto found = layers.find(name);
    return found != layers.end() ? found->second : layers.at(kDefaultLayer);
}

CollisionLayerTable::LayerSet CollisionLayerTable::getBits(const std::string& name) const {
    return find(name).bits;
}

CollisionLayerTable::LayerSet CollisionLayerTable::getMask(const std::string& name) const {
    return find(name).mask;
}

bool CollisionLayerTable::accepts(const std::string& queryLayer, const std::string& candidateLayer) const {
    return (getMask(candidateLayer) & ~getBits(queryLayer)).none();
}

bool CollisionLayerTable::loadFromScene(JSON& doc) {
    *this = CollisionLayerTable();
    doc.cursor = nullptr;
    if (!doc.cd("Scene") || !doc.cd("CollisionLayers")) return false;
    for (const JSONArr::iter& element : doc.getArray("Layers")) {
        std::string name;
        std::string digits;
        const bool hasName = element.get("layerName", name);
        const bool hasDigits = element.get("bits", digits);
        if (!hasName || !hasDigits) continue;
        registerLayer(name);
        setBits(name, digits);
    }
    dump();
    return true;
}

void CollisionLayerTable::dump(std::ostream& out) const {
    out << "Collision layers: \n";
    for (const std::string& name : order) {
        const Layer& layer = layers.at(name);
        out << name << "\nBits: " << layer.bits << "\nMask: " << layer.mask << "\n\n";
    }
    out.flush();
}

} // namespace Qel
