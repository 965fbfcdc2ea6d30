// The script system: building states, the callbacks, triggers between scripts, collisions, pause,
// and scripts that create and destroy entities (their own included) while they run.
#include "LogSink.h"
#include "World.h"

#include "ECS/Components/GOScripts.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/Systems/GOScriptSystem.h"
#include "ECS/System/Systems/ScriptCall.h"
#include "QelScripting/LuaScript.h"
#include "QelScripting/ScriptAssets.h"
#include "messaging/MessageManager.h"

#include <gtest/gtest.h>

using namespace Qel;

namespace {

/// The scene world with the catalogue and a loaded GOScriptSystem; scripts are given as text.
class GOScriptSystemTest : public ::testing::Test, protected test::World {
protected:
    void SetUp() override {
        catalogue();
        scripts = add<GOScriptSystem>("GOScriptSystem");
        scripts->Load();
        current = this;
    }
    void TearDown() override {
        DestroyAllSceneEntities();
        scripts->Unload();
    }

    void collide(int kind, Entity entity, Entity other) {
        MessageArgs<int, uint64_t, uint64_t> message(hashName("handleCollision"), kind, entity, other);
        messages->sendImmediate(message, hashName("GOScriptSystem"));
    }
    void broadcast(const char* name) {
        Message message(hashName(name));
        messages->sendImmediate(message, MessageManager::kBroadcast);
    }
    void setGlobal(Entity entity, const char* name, Entity value) {
        scripts->scriptOf(entity)->setInteger(name, static_cast<int64_t>(value));
    }
    /// The global `name` of the entity's script as text ("" when absent).
    std::string global(Entity entity, const char* name) {
        auto script = scripts->scriptOf(entity);
        return script ? script->text(name).value_or("") : "<no script>";
    }

    test::LogSink logged;
    std::shared_ptr<GOScriptSystem> scripts;
    size_t nextScript = 0;

public:
    /// A scene entity whose GOScripts list one new script asset per text, in order.
    Entity scripted(std::initializer_list<std::string> texts, uint64_t flags = GOScripts::kCanBuild) {
        GOScripts component;
        component.flags = flags;
        size_t slot = 0;
        for (const std::string& text : texts) {
            const std::string name = "script" + std::to_string(nextScript++);
            assets->load<LuaScriptStringWrapper>(name, LuaScriptStringWrapper{"\n" + text});
            component.scripts[slot++] = hashName(name);
        }
        return spawn(component);
    }
    inline static GOScriptSystemTest* current = nullptr;
};

TEST_F(GOScriptSystemTest, BuildingJoinsTheScriptsSetsTheFlagsAndRunsOnInit) {
    const Entity entity =
        scripted({"x = 'first' scriptTag = 7", "x = 'second'\nfunction onInit() id = thisEntityID end\n"
                                               "function onUpdate(dt) step = dt end"});
    EXPECT_EQ(global(entity, "x"), "second");
    EXPECT_EQ(global(entity, "id"), std::to_string(entity));
    EXPECT_EQ(scripts->tagged(hashName("7")), std::vector<Entity>{entity});
    const uint64_t flags = get<GOScripts>(entity).flags;
    EXPECT_EQ(flags, GOScripts::kCanBuild | GOScripts::kHasOnInit | GOScripts::kHasOnUpdate |
                         GOScripts::kHasScriptTag);
    scripts->Update(0.25f);
    EXPECT_EQ(global(entity, "step"), "0.25");

    const Entity broken = scripted({"x ="});
    EXPECT_TRUE(logged.has(LOG_HIGH, "Failed to load script on initialize!"));
    EXPECT_EQ(scripts->scriptOf(broken), nullptr);
    EXPECT_EQ(get<GOScripts>(broken).flags & GOScripts::kCanBuild, 0u);
    EXPECT_EQ(scripts->scriptOf(scripted({"x = 1"}, 0)), nullptr) << "no canBuild, no state";

    DestroyObject({entity, true});
    EXPECT_TRUE(scripts->tagged(hashName("7")).empty());
    EXPECT_EQ(scripts->scriptCount(), 0u);
}

TEST_F(GOScriptSystemTest, TriggersReachOtherScriptsButNeverOneThatIsRunning) {
    const std::string receiver =
        "scriptTag = 'R'\n"
        "function onTrigger(a, b, c, d) hits = (hits or 0) + 1\n"
        "  got = math.type(a) .. ' ' .. tostring(b) .. ' ' .. tostring(c) .. ' ' .. tostring(d)\n"
        "  back = tostring(triggerByEntityID(S)) end";
    const Entity first = scripted({receiver});
    const Entity second = scripted({receiver});
    const Entity hidden = spawn(Transform{});
    entities->GetInfo(hidden)->flags |= EntityInfo::kDisabled;
    const Entity sender = scripted({"scriptTag = 'R'\nfunction onUpdate()\n"
                                    "  triggerByEntityID(thisEntityID)\n"
                                    "  triggerByEntityID(R1, 7, true, 'x', {})\n"
                                    "  disabled = tostring(triggerByEntityID(H))\n"
                                    "  triggerByScriptTag('R', 7, true, 'x', {}) end"});
    for (Entity entity : {first, second})
        setGlobal(entity, "S", sender);
    setGlobal(sender, "R1", first);
    setGlobal(sender, "H", hidden);
    scripts->Update(0.0f);

    EXPECT_EQ(global(first, "got"), "float true x nil");
    EXPECT_TRUE(logged.contains("[LUA] | GOScript_triggerByEntityID unsupported arg transfer type"));
    EXPECT_EQ(global(first, "back"), "false") << "A -> B -> A";
    EXPECT_EQ(global(sender, "disabled"), "false");
    EXPECT_TRUE(logged.has(LOG_CRITICAL, "is disabled and has no scripts"));
    EXPECT_EQ(global(first, "hits"), "2");
    EXPECT_EQ(global(second, "hits"), "1");
    // Self by id, self by its own tag, and three times back from a receiver to the sender.
    EXPECT_EQ(logged.count("refused: the script of entity " + std::to_string(sender) + " is running"), 5u);
}

TEST_F(GOScriptSystemTest, TriggerChainsStopAtTheDepthCap) {
    std::vector<Entity> chain;
    for (int i = 0; i < 20; ++i)
        chain.push_back(
            scripted({"function onTrigger() reached = 1 triggerByEntityID(thisEntityID + 1) end"}));
    const Entity starter = scripted({"function onUpdate() triggerByEntityID(C0) end"});
    setGlobal(starter, "C0", chain[0]);
    scripts->Update(0.0f);
    size_t reached = 0;
    for (Entity entity : chain)
        reached += global(entity, "reached") == "1";
    EXPECT_EQ(reached, 16u);
    EXPECT_EQ(logged.count("triggers nested deeper than 16"), 1u);
}

TEST_F(GOScriptSystemTest, AnErrorInAnyCallbackLeavesTheScriptUsable) {
    const Entity failing = scripted({"calls = 0\n"
                                     "function onInit() calls = calls + 1 error('init') end\n"
                                     "function onUpdate() calls = calls + 1 error('update') end\n"
                                     "function onCollide() calls = calls + 1\n"
                                     "  return function() calls = calls + 1 error('handler') end end\n"
                                     "function onTrigger() calls = calls + 1 error('trigger') end"});
    const Entity trigger =
        scripted({"function onUpdate() updates = (updates or 0) + 1 triggerByEntityID(F) end"});
    setGlobal(trigger, "F", failing);
    scripts->Update(0.0f);
    collide(1, failing, trigger);
    scripts->Update(0.0f);
    EXPECT_EQ(global(failing, "calls"), "7");
    EXPECT_EQ(global(trigger, "updates"), "2");
    EXPECT_EQ(logged.count("[LUA ERROR] : "), 6u);
}

TEST_F(GOScriptSystemTest, CollisionsCallTheHandlerOnCollideReturns) {
    const Entity entity =
        scripted({"function onCollide(tag) seen = tag\n"
                  "  if tag == 'Wall' then return function(kind, other) hit = kind .. ':' .. other end end\n"
                  "  return 5 end"});
    const Entity wall = spawn(Transform{});
    entities->GetInfo(wall)->tag = "Wall";
    collide(3, entity, wall);
    EXPECT_EQ(global(entity, "hit"), "3:" + std::to_string(wall));
    entities->GetInfo(entity)->flags |= EntityInfo::kDisabled;
    collide(1, entity, MAX_ENTITIES - 1);
    EXPECT_EQ(global(entity, "seen"), "Wall");
    entities->GetInfo(entity)->flags = 0;
    collide(1, entity, MAX_ENTITIES - 1);
    EXPECT_EQ(global(entity, "seen"), "") << "a partner without a record has no tag";
}

TEST_F(GOScriptSystemTest, PauseStopsOnlyUpdatesOfScriptsNotAllowedToRunPaused) {
    const std::string counter =
        "function onUpdate() updates = (updates or 0) + 1 end\n"
        "function onTrigger() triggered = 1 end\nfunction onCollide() collided = 1 end";
    const Entity stopped = scripted({counter});
    const Entity running = scripted({counter}, GOScripts::kCanBuild | GOScripts::kAllowPausedUpdate);
    const Entity other = scripted({"function onUpdate() triggerByEntityID(P) end"},
                                  GOScripts::kCanBuild | GOScripts::kAllowPausedUpdate);
    setGlobal(other, "P", stopped);
    broadcast("PauseSystem");
    scripts->Update(0.0f);
    collide(1, stopped, running);
    EXPECT_EQ(global(stopped, "updates"), "");
    EXPECT_EQ(global(running, "updates"), "1");
    EXPECT_EQ(global(stopped, "triggered") + global(stopped, "collided"), "11");
    broadcast("UnPauseSystem");
    scripts->Update(0.0f);
    EXPECT_EQ(global(stopped, "updates"), "1");
}

/// A menu the scripts open and close through QelMsgImmediate, as the game's menus are.
std::vector<Entity> menu;
void openMenu(Message&) {
    for (int i = 0; i < 3; ++i)
        menu.push_back(
            GOScriptSystemTest::current->scripted({"function onInit() QelMsgImmediate('Menu', 'noop') end\n"
                                                   "function onUpdate() updates = 1 end"}));
}
void closeMenu(Message& message) {
    for (Entity entity : menu)
        Qel::DestroyObject({entity, true});
    menu.clear();
    if (auto* args = message.argsAs<int>())
        Qel::DestroyObject({static_cast<Entity>(std::get<0>(*args)), true});
}

TEST_F(GOScriptSystemTest, ScriptsMayOpenAndCloseMenusAndDestroyThemselvesWhileRunning) {
    BroadcastReceiver* receiver = messages->getReceiver(hashName("Menu"));
    receiver->addHandler(hashName("open"), &openMenu);
    receiver->addHandler(hashName("close"), &closeMenu);
    const Entity opener = scripted({"frame = 0\nfunction onUpdate() frame = frame + 1\n"
                                    "  if frame == 1 then QelMsgImmediate('Menu', 'open')\n"
                                    "  else QelMsgImmediate('Menu', 'close', thisEntityID) end end"});
    const Entity bystander = scripted({"function onUpdate() updates = (updates or 0) + 1 end"});
    scripts->Update(0.0f);
    EXPECT_EQ(scripts->scriptCount(), 5u);
    scripts->Update(0.0f);
    EXPECT_EQ(scripts->scriptOf(opener), nullptr);
    EXPECT_EQ(global(bystander, "updates"), "2");
    EXPECT_EQ(scripts->scriptCount(), 1u);

    const Entity bumper = scripted({"function onCollide() return function(kind)\n"
                                    "  if kind == 1 then QelMsgImmediate('Menu', 'open')\n"
                                    "  else QelMsgImmediate('Menu', 'close', thisEntityID) end end end"});
    collide(1, bumper, bystander);
    EXPECT_EQ(scripts->scriptCount(), 5u);
    collide(3, bumper, bystander);
    EXPECT_EQ(scripts->scriptCount(), 1u);
    EXPECT_FALSE(entities->Exists(bumper));
}

TEST_F(GOScriptSystemTest, EngineSystemsCallScriptsThroughTheCallerItInstalls) {
    const Entity player = scripted({"function earlyUpdate(dt, x, y, partner)\n"
                                    "  got = string.format('%s %s %g %d', math.type(dt), math.type(partner), x + y, partner) end\n"
                                    "function get_hurt(amount, from) hurt = amount + from end"});
    EXPECT_EQ(callScript(player, "earlyUpdate", {0.5f, 0.25f, -1.0f, int64_t{42}}), ScriptCallResult::Called);
    EXPECT_EQ(global(player, "got"), "float integer -0.75 42");
    EXPECT_EQ(callScript(player, "get_hurt", {}), ScriptCallResult::Called) << "a failing call still ends";
    EXPECT_EQ(callScript(player, "get_hurt", {int64_t{1}, int64_t{9}}), ScriptCallResult::Called);
    EXPECT_EQ(global(player, "hurt"), "10");
    EXPECT_EQ(callScript(player, "missing", {}), ScriptCallResult::NoFunction);
    EXPECT_EQ(callScript(spawn(Transform{}), "get_hurt", {}), ScriptCallResult::NoScript);

    scripts->Unload();
    EXPECT_EQ(callScript(player, "get_hurt", {int64_t{1}, int64_t{0}}), ScriptCallResult::NoScript);
    scripts->Load();
}

} // namespace
