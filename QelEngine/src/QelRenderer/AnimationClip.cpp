#include "QelRenderer/AnimationClip.h"

#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "data/JSON.h"

#include <glm/gtc/type_precision.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>
#include <string_view>

namespace Qel::Graphics {

namespace {

constexpr std::string_view kTrackKeys[] = {"positionFrames", "scaleFrames", "rotationFrames", "spriteFrames",
                                           "colorFrames"};

bool isFinite(float value) {
    return std::isfinite(value);
}

template <glm::length_t N> bool isFinite(const glm::vec<N, float>& value) {
    for (glm::length_t i = 0; i < N; ++i)
        if (!std::isfinite(value[i])) return false;
    return true;
}

/// Reads the members prefix + suffixes[i] of a keyframe into value[i].
template <class V>
void readComponents(const JSONArr::iter& frame, std::string_view prefix, std::string_view suffixes,
                    V& value) {
    std::string key(prefix);
    for (size_t i = 0; i < suffixes.size(); ++i) {
        key.resize(prefix.size());
        key += suffixes[i];
        frame.get(key, value[static_cast<glm::length_t>(i)]);
    }
}

/// Sampling needs strictly ascending, finite keyframes: a repeated time would divide by zero and
/// a non-finite one would spread into the components it drives.
template <class V> void tidyKeyframes(std::vector<Keyframe<V>>& frames, std::string_view key) {
    const size_t read = frames.size();
    std::erase_if(frames,
                  [](const Keyframe<V>& frame) { return !isFinite(frame.time) || !isFinite(frame.value); });
    if (frames.size() != read)
        logf(LOG_MED, "clip %.*s: dropped %zu keyframes that are not finite", static_cast<int>(key.size()),
             key.data(), read - frames.size());
    const auto earlier = [](const Keyframe<V>& a, const Keyframe<V>& b) { return a.time < b.time; };
    if (!std::is_sorted(frames.begin(), frames.end(), earlier)) {
        logf(LOG_MED, "clip %.*s: keyframes out of time order, sorted", static_cast<int>(key.size()),
             key.data());
        std::stable_sort(frames.begin(), frames.end(), earlier);
    }
    const auto repeated =
        std::unique(frames.begin(), frames.end(),
                    [](const Keyframe<V>& a, const Keyframe<V>& b) { return a.time == b.time; });
    if (repeated != frames.end()) {
        logf(LOG_MED, "clip %.*s: dropped %zu keyframes repeating an earlier time",
             static_cast<int>(key.size()), key.data(), static_cast<size_t>(frames.end() - repeated));
        frames.erase(repeated, frames.end());
    }
}

/// Reads the track object `key` when the clip has one; readValue(frame, value) reads a keyframe's
/// value. The structure was checked before, so the interpolation type is one of the two.
template <class V, class ReadValue>
void readTrack(JSON& doc, std::string_view key, Track<V>& track, ReadValue readValue) {
    doc.cursor = nullptr;
    if (!doc.cd(key)) return;
    std::string type;
    doc.get("interpolateType", type);
    track.interpolation = type == "step" ? Interpolation::step : Interpolation::linear;
    for (const JSONArr::iter& object : doc.getArray("frames")) {
        Keyframe<V> frame;
        object.get("time", frame.time);
        readValue(object, frame.value);
        track.frames.push_back(frame);
    }
    tidyKeyframes(track.frames, key);
    doc.cursor = nullptr;
}

} // namespace

JSON readAnimationFile(const char* path) {
    JSON doc;
    std::ifstream in(path);
    doc.parse(in);
    return doc;
}

const char* clipStructureError(JSON& doc) {
    doc.cursor = nullptr;
    if (!doc.cd("config")) return "Invalid animation file!";
    const char* error = nullptr;
    for (std::string_view key : kTrackKeys) {
        doc.cursor = nullptr;
        if (!doc.cd(key)) continue;
        std::string type;
        if (!doc.get("interpolateType", type)) {
            error = "Missing interpolate type!";
        } else if (type != "step" && type != "linear") {
            error = "Invalid interpolation type!";
        }
        if (error) break;
    }
    doc.cursor = nullptr;
    return error;
}

Clip::Clip(const char* path) {
    JSON doc = readAnimationFile(path);
    *this = Clip(doc);
}

Clip::Clip(JSON& doc) {
    if (const char* error = clipStructureError(doc)) QEL_STRONG_ASSERT(error);
    doc.cd("config");
    doc.get("isLoop", isLoop);
    doc.get("start", start);
    doc.get("end", end);
    readTrack(doc, "positionFrames", position, [](const JSONArr::iter& frame, glm::vec3& value) {
        readComponents(frame, "position", "XYZ", value);
    });
    readTrack(doc, "scaleFrames", scale, [](const JSONArr::iter& frame, glm::vec3& value) {
        readComponents(frame, "scale", "XYZ", value);
    });
    readTrack(doc, "rotationFrames", rotation,
              [](const JSONArr::iter& frame, float& value) { frame.get("rotationAmount", value); });
    readTrack(doc, "spriteFrames", sprite, [](const JSONArr::iter& frame, glm::vec4& value) {
        frame.get("uvOffsetX", value.x);
        frame.get("uvOffsetY", value.y);
        frame.get("uvSizeX", value.z);
        frame.get("uvSizeY", value.w);
    });
    readTrack(doc, "colorFrames", color, [](const JSONArr::iter& frame, glm::vec4& value) {
        readComponents(frame, "color", "RGBA", value);
    });
}

} // namespace Qel::Graphics
