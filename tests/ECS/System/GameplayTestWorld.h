#pragma once

// The player system loaded in an ECS world, with a stand-in for the script system that records
// every call an engine system makes into a script (and lets every script answer it).
#include "ECS/Components/Transform.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "ECS/System/Systems/ScriptCall.h"

#include "World.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct RecordedCall {
    Qel::Entity entity;
    std::string function;
    std::vector<Qel::ScriptArg> args;
};
inline std::vector<RecordedCall> recordedCalls;

class GameplayWorldTest : public ::testing::Test, protected Qel::test::World {
protected:
    void SetUp() override {
        catalogue();
        player = add<Qel::PlayerSystem>("PlayerSystem");
        player->Load();
        recordedCalls.clear();
        Qel::setScriptCaller(
            [](Qel::Entity entity, std::string_view function, std::span<const Qel::ScriptArg> args) {
                recordedCalls.push_back({entity, std::string(function), {args.begin(), args.end()}});
                return Qel::ScriptCallResult::Called;
            });
    }
    void TearDown() override {
        Qel::setScriptCaller(nullptr);
        player->Unload();
    }

    Qel::Entity tagged(const char* tag, glm::vec2 at) {
        const Qel::Entity entity = spawn(Qel::Transform{.position = {at, 0.0f}});
        entities->GetInfo(entity)->tag = tag;
        return entity;
    }

    std::shared_ptr<Qel::PlayerSystem> player;
};
