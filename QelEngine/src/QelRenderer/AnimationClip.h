#pragma once

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstddef>
#include <vector>

namespace Qel {

class JSON;

namespace Graphics {

/// How a track moves between two keyframes.
enum class Interpolation { linear = 0, step = 1 };

/// One keyframe: time in seconds and the value the track's target takes then.
template <class V> struct Keyframe {
    float time = 0.0f;
    V value{};
};

/// A keyframe track, in ascending time with no two keyframes at the same time.
template <class V> struct Track {
    Interpolation interpolation = Interpolation::linear;
    std::vector<Keyframe<V>> frames;
};

/// A keyframe animation (".anim" file), shared by every animator state that plays it. Owned by
/// the Clip registry for the whole run.
class Clip {
public:
    Clip() = default;
    /// Reads the clip file at path; see Clip(JSON&).
    explicit Clip(const char* path);
    /// Reads a parsed clip document. Structural errors (clipStructureError) are strong
    /// assertions; keyframes out of order are sorted and keyframes repeating a time, or with a
    /// time or value that is not finite, are dropped, each with a log line.
    explicit Clip(JSON& doc);

    bool isLoop = false;
    /// Seconds; kept with the clip, not used in playback.
    float start = 0.0f;
    /// Seconds after which a looping clip restarts at 0.
    float end = 0.0f;

    /// World units.
    Track<glm::vec3> position;
    Track<glm::vec3> scale;
    /// Degrees.
    Track<float> rotation;
    /// UV offset (x, y) and UV size (z, w).
    Track<glm::vec4> sprite;
    /// RGBA, 0..1.
    Track<glm::vec4> color;
};

/// The text of the strong assertion that doc would raise as a clip ("Invalid animation file!",
/// "Missing interpolate type!", "Invalid interpolation type!"), or null for a well-formed clip.
/// Leaves the cursor at the root.
const char* clipStructureError(JSON& doc);

/// Parses a clip or controller file; a file that cannot be read or parsed gives an empty document
/// (logged by the parser).
JSON readAnimationFile(const char* path);

} // namespace Graphics
} // namespace Qel
