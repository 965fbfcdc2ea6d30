#pragma once

#include "../Prefab/SceneTestWorld.h"

#include "ECS/System/Systems/AnimationSystem.h"
#include "QelRenderer/AnimationClip.h"
#include "QelRenderer/AnimationController.h"

#include <string>

/// The scene world with clips and controllers registered from JSON text, and the animation
/// system loaded.
class AnimationWorldTest : public SceneWorldTest<> {
protected:
    void SetUp() override {
        SceneWorldTest::SetUp();
        animation = add<Qel::AnimationSystem>("AnimationSystem");
        animation->Load();
    }

    Qel::Graphics::Clip* addClip(const std::string& name, const std::string& text) {
        Qel::JSON doc = Qel::test::parseJson(text);
        assets->load<Qel::Graphics::Clip>(name, doc);
        return assets->findRegistry<Qel::Graphics::Clip>()->get(Qel::hashName(name));
    }

    Qel::AnimatorController* addController(const std::string& name, const std::string& text) {
        Qel::JSON doc = Qel::test::parseJson(text);
        assets->load<Qel::AnimatorController>(name, doc);
        return assets->findRegistry<Qel::AnimatorController>()->get(Qel::hashName(name));
    }

    std::shared_ptr<Qel::AnimationSystem> animation;
};
