#include "CheckKinds.h"

#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"
#include "data/AssetManager.h"
#include "data/JSON.h"
#include "data/NameHash.h"

#include <set>
#include <string>

namespace Qel::Check {

namespace {

/// Every state a controller can reach must exist: an animator that moves to a missing state has
/// nothing to play.
void checkStates(CheckContext& context, const std::filesystem::path& file,
                 const AnimatorController& controller) {
    if (!controller.findDefaultState())
        context.report(file, "config.defaultState",
                       "names no state of this controller, expected one of its states");
    std::set<std::string> missing;
    for (const auto& [key, state] : controller.states)
        for (const AnimTransition& transition : state.transitions)
            if (!controller.findState(hashName(transition.targetState)))
                missing.insert(transition.targetState);
    for (const std::string& target : missing)
        context.report(file, "animationStates.state",
                       "a transition moves to \"" + target + "\", which is no state of this controller");
}

} // namespace

// ".animcontroller" state machines, loaded into their registry so that animators find them.
void checkControllers(CheckContext& context) {
    const std::filesystem::path folder = context.folder / "JSON";
    AssetManager& assets = *AssetManager::instance();
    for (const auto& file : context.files("JSON", {".animcontroller"})) {
        std::filesystem::path name = file.lexically_relative(folder);
        const std::string asset = name.replace_extension().generic_string();
        context.read(file, [&] {
            JSON doc = Graphics::readAnimationFile(file.c_str());
            if (!doc.isParsed()) return;
            if (const char* error = controllerStructureError(doc)) {
                context.report(file, "", std::string("the engine stops on this controller: ") + error);
                return;
            }
            assets.load<AnimatorController>(asset, doc);
        });
        Registry<AnimatorController>* controllers = assets.findRegistry<AnimatorController>();
        if (const AnimatorController* controller = controllers ? controllers->get(hashName(asset)) : nullptr)
            checkStates(context, file, *controller);
    }
}

} // namespace Qel::Check
