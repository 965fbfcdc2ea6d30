#include "QelRenderer/AnimationController.h"

#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/AnimationClip.h"
#include "data/AssetManager.h"
#include "data/JSON.h"
#include "data/NameHash.h"

#include <algorithm>

namespace Qel {

namespace {

Graphics::Clip* findClip(const std::string& name) {
    AssetManager* assets = AssetManager::instance();
    Registry<Graphics::Clip>* clips = assets ? assets->findRegistry<Graphics::Clip>() : nullptr;
    return clips ? clips->get(hashName(name)) : nullptr;
}

} // namespace

const char* controllerStructureError(JSON& doc) {
    doc.cursor = nullptr;
    const bool hasStates = doc.cd("animationStates");
    doc.cursor = nullptr;
    return hasStates ? nullptr : "Missing 'animationStates' data from animation controller file!";
}

AnimatorController::AnimatorController(const char* path) {
    JSON doc = Graphics::readAnimationFile(path);
    *this = AnimatorController(doc);
}

void AnimatorController::replaceWith(AnimatorController&& fresh) {
    retired.push_back(std::move(states));
    states = std::move(fresh.states);
    defaultState = fresh.defaultState;
    conditionNames = std::move(fresh.conditionNames);
}

AnimatorController::AnimatorController(JSON& doc) {
    if (const char* error = controllerStructureError(doc)) QEL_STRONG_ASSERT(error);
    doc.cd("animationStates");
    for (const JSONArr::iter& object : doc.getArray("state")) {
        std::string name;
        std::string clipName;
        object.get("name", name);
        object.get("clip", clipName);
        AnimState state;
        state.clip = findClip(clipName);
        if (!state.clip) {
            logf(LOG_HIGH,
                 "animation state \"%s\" names the clip \"%s\", which is not loaded; state left out",
                 name.c_str(), clipName.c_str());
            continue;
        }
        object.get("playbackSpeed", state.playbackSpeed);
        for (const JSONArr::iter& link : object.getArray("transition")) {
            AnimTransition transition;
            std::string condition;
            link.get("targetState", transition.targetState);
            link.get("name", condition);
            transition.conditions.push_back(hashName(condition));
            state.transitions.push_back(std::move(transition));
            if (std::find(conditionNames.begin(), conditionNames.end(), condition) == conditionNames.end())
                conditionNames.push_back(condition);
        }
        states.insert_or_assign(hashName(name), std::move(state));
    }
    doc.cursor = nullptr;
    std::string initial;
    if (doc.cd("config")) doc.get("defaultState", initial);
    doc.cursor = nullptr;
    defaultState = hashName(initial);
}

} // namespace Qel
