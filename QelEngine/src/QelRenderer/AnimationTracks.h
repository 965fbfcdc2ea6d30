#pragma once

#include "QelRenderer/AnimationClip.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace Qel::Graphics {

/// The value a track gives its target at `time` (seconds), or nothing for a track of fewer than
/// two keyframes, which leaves its target alone. Before the first keyframe the track holds the
/// first value, after the last it holds the last, so a step track ends on its last frame and a
/// fade reaches its end. Keyframes must be strictly ascending (Clip sorts them).
template <class V> std::optional<V> sampleTrack(const Track<V>& track, float time) {
    const auto& frames = track.frames;
    if (frames.size() < 2) return std::nullopt;
    // Written so that a time that is not a number holds the first value too.
    if (!(time > frames.front().time)) return frames.front().value;
    size_t next = 1;
    while (next < frames.size() && time > frames[next].time)
        ++next;
    if (next == frames.size()) return frames.back().value;
    const Keyframe<V>& from = frames[next - 1];
    if (track.interpolation == Interpolation::step) return from.value;
    const Keyframe<V>& to = frames[next];
    const float u = std::clamp((time - from.time) / (to.time - from.time), 0.0f, 1.0f);
    return from.value + (to.value - from.value) * u;
}

} // namespace Qel::Graphics
