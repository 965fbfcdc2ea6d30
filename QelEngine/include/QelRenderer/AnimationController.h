#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace Qel {

class JSON;

namespace Graphics {
class Clip;
}

/// A move to another state, fired when one of its conditions is raised.
struct AnimTransition {
    /// Name of the state to move to.
    std::string targetState;
    /// Name hashes of the conditions that fire it.
    std::vector<uint64_t> conditions;
};

/// One state of an animator controller: the clip it plays and where it can go next.
struct AnimState {
    /// Shared with the clip registry; null when the controller names no loaded clip.
    Graphics::Clip* clip = nullptr;
    /// Multiplies the time that passes in this state.
    float playbackSpeed = 1.0f;
    /// In file order; the first one whose condition is raised wins.
    std::vector<AnimTransition> transitions;
};

/// A state machine of animation clips, shared by every Animator that names it. Owned by the
/// AnimatorController registry for the whole run.
class AnimatorController {
public:
    AnimatorController() = default;
    /// Reads the controller file at path; see AnimatorController(JSON&).
    explicit AnimatorController(const char* path);
    /// Reads a parsed controller document; its clips are looked up in the Clip registry, so clips
    /// load first. No "animationStates" object is a strong assertion (controllerStructureError).
    /// A state whose clip is not loaded is left out with a log line: it would have nothing to play.
    explicit AnimatorController(JSON& doc);

    /// Takes the states, default and condition names of `fresh` (a reloaded file). The states it
    /// had are kept aside, not destroyed: animators point at them until their scene is rebuilt.
    void replaceWith(AnimatorController&& fresh);

    /// The state under the name hash `key`, or null.
    const AnimState* findState(uint64_t key) const {
        const auto found = states.find(key);
        return found == states.end() ? nullptr : &found->second;
    }

    /// The state an animator starts in, or null when the default names no state.
    const AnimState* findDefaultState() const { return findState(defaultState); }

    /// States by the name hash of their names. Entries are never erased, so pointers to them stay
    /// valid as long as the controller.
    std::unordered_map<uint64_t, AnimState> states;
    /// Name hash of the starting state.
    uint64_t defaultState = 0;
    /// Every condition name its transitions use, each once, in order of first use; each animator
    /// keeps one flag per name.
    std::vector<std::string> conditionNames;

private:
    /// State tables of earlier versions; a deque never moves them.
    std::deque<std::unordered_map<uint64_t, AnimState>> retired;
};

/// The text of the strong assertion that doc would raise as a controller, or null when it has its
/// "animationStates" object. Leaves the cursor at the root.
const char* controllerStructureError(JSON& doc);

} // namespace Qel
