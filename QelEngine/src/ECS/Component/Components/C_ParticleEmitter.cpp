#include "ECS/Component/Components/ComponentReaders.h"

#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/Texture.h"

#include <string>

namespace Qel {

namespace {

constexpr std::string_view kChannels = "RGBA";

/// Reads a range as name + "L" and name + "H", or, unless both of those read, as the single value
/// `name` for both ends. The range is left untouched when neither form reads.
bool readRange(const JSONArr::iter& object, std::string_view name, ParticleEmitter::Range& range) {
    const std::string key(name);
    ParticleEmitter::Range ends;
    const bool low = object.get(key + "L", ends.low);
    const bool high = object.get(key + "H", ends.high);
    if (low && high) {
        range = ends;
        return true;
    }
    float single = 0.0f;
    if (!object.get(key, single)) return false;
    range = {single, single};
    return true;
}

/// The initial ranges every particle needs; without one the emitter is most likely mis-authored.
void readInitialRange(const JSONArr::iter& object, std::string_view name, ParticleEmitter::Range& range) {
    if (!readRange(object, name, range))
        logf(LOG_HIGH, "ParticleEmitter unable to read init %.*s", static_cast<int>(name.size()),
             name.data());
}

void readChannelRanges(const JSONArr::iter& object, std::string_view prefix,
                       std::array<ParticleEmitter::Range, 4>& ranges) {
    std::string key(prefix);
    for (size_t i = 0; i < ranges.size(); ++i) {
        key.resize(prefix.size());
        key += kChannels[i];
        readRange(object, key, ranges[i]);
    }
}

} // namespace

ParticleEmitter::ParticleEmitter(const JSONArr::iter& object) {
    if (!AssetManager::instance()) QEL_STRONG_ASSERT("AssetManager not initialized");

    readFlag(object, "looping", flags, kLooping);
    readFlag(object, "activeOnStart", flags, kActive | kActiveOnStart);
    readFlag(object, "colorScaleByMultiplication", flags, kColorScaleMultiplies);
    object.get("duration", duration);
    object.get("emissionRate", emissionRate);
    texture = readAssetReference<Texture>(object, "texture");
    if (!texture) log(LOG_HIGH, "emitter has no valid texture!");

    readInitialRange(object, "lifetime", lifetime);
    readInitialRange(object, "speed", speed);
    readInitialRange(object, "size", size);
    readInitialRange(object, "rotation", rotation);
    readChannelRanges(object, "color", color);

    readRange(object, "sizeScale", sizeScale);
    readRange(object, "speedScale", speedScale);
    readRange(object, "rotationScale", rotationScale);
    readChannelRanges(object, "colorScale", colorScale);
}

template <> ParticleEmitter readComponent<ParticleEmitter>(const JSONArr::iter& object) {
    return ParticleEmitter(object);
}

} // namespace Qel
