#pragma once

#include "LogSink.h"
#include "World.h"

#include "ECS/Components/GOScripts.h"
#include "ECS/Components/Transform.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/Systems/GOScriptSystem.h"
#include "QelScripting/LuaScript.h"
#include "QelScripting/ScriptAssets.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

/// The scene world with the catalogue and a loaded GOScriptSystem; scripts are given as text.
class ScriptWorldTest : public ::testing::Test, protected Qel::test::World {
protected:
    void SetUp() override {
        catalogue();
        Qel::TypeName<Qel::GOScriptSystem>::assign("GOScriptSystem");
        scripts = systems->RegisterSystem<Qel::GOScriptSystem>();
        scripts->Load();
    }
    void TearDown() override {
        Qel::DestroyAllSceneEntities();
        scripts->Unload();
    }

public:
    /// A scene entity whose GOScripts list one new script asset per text, in order.
    Qel::Entity scripted(std::initializer_list<std::string> texts, uint64_t flags = Qel::GOScripts::kCanBuild) {
        Qel::GOScripts component;
        component.flags = flags;
        size_t slot = 0;
        for (const std::string& text : texts) {
            const std::string name = "script" + std::to_string(nextScript++);
            assets->load<Qel::LuaScriptStringWrapper>(name, Qel::LuaScriptStringWrapper{"\n" + text});
            component.scripts[slot++] = Qel::hashName(name);
        }
        return spawn(component);
    }

    /// The global `name` of the entity's script as text ("" when absent).
    std::string global(Qel::Entity entity, const char* name) {
        auto script = scripts->scriptOf(entity);
        return script ? script->text(name).value_or("") : "<no script>";
    }

    void destroy(Qel::Entity entity) { Qel::DestroyObject({entity, true}); }

    Qel::test::LogSink logged;
    std::shared_ptr<Qel::GOScriptSystem> scripts;
    size_t nextScript = 0;
};
