// The Lua host: loading, the call protocol's error paths, the host functions, the message packs
// scripts build, the instruction budget, and the start-up loading with validation.
#include "Files.h"
#include "LogSink.h"
#include "World.h"

#include "QelScripting/LuaScript.h"
#include "QelScripting/ScriptAssets.h"
#include "data/AssetManager.h"
#include "messaging/MessageManager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <typeindex>

using namespace Qel;

namespace {

class LuaHostTest : public ::testing::Test, protected test::World {
protected:
    void SetUp() override {
        BroadcastReceiver* probe = messages->getReceiver(hashName("Probe"));
        probe->addHandler(hashName("m"), [](Message& message) {
            received = std::type_index(typeid(message));
            if (auto* args = dynamic_cast<MessageArgs<int, float>*>(&message)) intFloat = args->args;
            if (auto* args = dynamic_cast<MessageArgs<float>*>(&message)) single = std::get<0>(args->args);
            ++deliveries;
        });
        deliveries = 0;
    }

    /// Runs one chunk in a fresh live state.
    bool run(const std::string& text, LuaScript::Mode mode = LuaScript::Mode::Live) {
        LuaScript script(mode);
        return script.load(text);
    }

    test::LogSink logged;
    inline static std::type_index received = typeid(void);
    inline static std::tuple<int, float> intFloat;
    inline static float single = 0.0f;
    inline static int deliveries = 0;
};

TEST_F(LuaHostTest, ErrorsAndBadDlogCallsAreLoggedAndTheStateStaysUsable) {
    LuaScript broken;
    EXPECT_FALSE(broken.load("\nlocal = 1"));
    EXPECT_TRUE(logged.has(LOG_HIGH, "[LUA ERROR] : [string \"LuaScript\"]:2:"));

    LuaScript script;
    ASSERT_TRUE(script.load("function raise() error({}) end function say(x) dlogLow(x) end"));
    EXPECT_FALSE(script.load("x = 1")) << "a loaded state takes no second text";
    EXPECT_FALSE(script.call("raise"));
    EXPECT_TRUE(logged.has(LOG_HIGH, "[LUA ERROR] : "));
    EXPECT_FALSE(script.call("missing"));
    EXPECT_TRUE(script.call("say", 1.5f));
    EXPECT_TRUE(logged.has(LOG_LOW, "1.5"));
    EXPECT_FALSE(run(std::string("\x1bLua", 4))) << "precompiled chunks are refused";

    // dlog takes exactly one string or number.
    for (const char* text :
         {"dlogMed('hi')", "dlogHigh(2)", "dlogLow()", "dlogLow('a', 'b')", "dlogLow({})"}) {
        EXPECT_TRUE(run(text));
        EXPECT_EQ(logged.contains("[LUA] | dlog bad argument!"), text[4] == 'L') << text;
        logged.take();
    }
}

TEST_F(LuaHostTest, MessagesCarryTheTypesOfTheirSignatureAndBadOnesAreNotSent) {
    const std::pair<const char*, std::type_index> cases[] = {
        {"", typeid(Message)},
        {", 'a'", typeid(MessageArgs<uint64_t>)},
        {", 2", typeid(MessageArgs<int>)},
        {", 2.5", typeid(MessageArgs<float>)},
        {", 'a', 'b'", typeid(MessageArgs<uint64_t, uint64_t>)},
        {", 'a', 2", typeid(MessageArgs<uint64_t, int>)},
        {", 'a', 2.5", typeid(MessageArgs<uint64_t, float>)},
        {", 1, 2", typeid(MessageArgs<int, int>)},
        {", 1, 2.5", typeid(MessageArgs<int, float>)},
        {", 1.5, 2", typeid(MessageArgs<float, int>)},
        {", 1.5, 2.5", typeid(MessageArgs<float, float>)},
        {", 1, 'a'", typeid(Message)},
        {", nil, 2", typeid(Message)},
    };
    for (const auto& [payload, type] : cases) {
        received = typeid(void);
        EXPECT_TRUE(run(std::string("QelMsgImmediate('Probe', 'm'") + payload + ")"));
        EXPECT_EQ(received, type) << payload;
        EXPECT_EQ(logged.contains("[LUA] | unsupported message signature!"),
                  type == typeid(Message) && *payload)
            << payload;
        logged.take();
    }
    run("QelMsgImmediate('Probe', 'm', 1, 2.5)");
    EXPECT_EQ(intFloat, std::make_tuple(1, 2.5f));
    run("QelMsgImmediate('Probe', 'm', 1e300)");
    EXPECT_EQ(single, std::numeric_limits<float>::infinity());

    // Queued: delivered at the next dispatch. Numbers name receivers and messages by their value.
    const int before = deliveries;
    run("QelMsgSend(" + std::to_string(static_cast<int64_t>(hashName("Probe"))) + ", 'm', 3)");
    EXPECT_EQ(deliveries, before);
    messages->dispatchAll();
    EXPECT_EQ(deliveries, before + 1);
    EXPECT_EQ(received, typeid(MessageArgs<int>));

    // Bad messages and validation states send nothing.
    deliveries = 0;
    for (const char* text :
         {"QelMsgSend('Probe')", "QelMsgImmediate({}, 'm')", "QelMsgImmediate('Probe', 1.5)"}) {
        EXPECT_TRUE(run(text));
        EXPECT_TRUE(logged.has(LOG_CRITICAL, "[LUA] | QelMsg bad arguments!")) << text;
        logged.take();
    }
    EXPECT_TRUE(run("QelMsgImmediate('Probe', 'm', 1 << 40)"));
    EXPECT_TRUE(logged.has(LOG_CRITICAL, "does not fit an int"));
    EXPECT_TRUE(run("QelMsgImmediate('Probe', 'm') QelMsgSend('Probe', 'm')", LuaScript::Mode::Validation));
    messages->dispatchAll();
    EXPECT_EQ(deliveries, 0);
}

TEST_F(LuaHostTest, AnEndlessLoopIsStoppedEvenWhenItCatchesTheError) {
    LuaScript script;
    script.setName("spinner");
    ASSERT_TRUE(
        script.load("function stubborn() while true do pcall(function() while true do end end) end end\n"
                    "function fine() return 1 end"));
    EXPECT_FALSE(script.call("stubborn"));
    EXPECT_TRUE(logged.has(LOG_HIGH, "[LUA] | script \"spinner\" stopped in stubborn"));
    EXPECT_TRUE(script.call("fine"));
}

TEST_F(LuaHostTest, StartUpLoadsLuaFilesAndDropsThoseThatFailValidation) {
    test::Sandbox sandbox("scripts");
    const std::pair<const char*, const char*> files[] = {
        {"a.lua", "x = 1"},
        {"sub/b.LUA", "function onUpdate() end"},
        {"syntax.lua", "x ="},
        {"binding.lua", "getPosition(thisEntityID)"},
        {"message.lua", "QelMsgImmediate('Probe', 'm')"},
    };
    for (const auto& [name, text] : files)
        test::writeText(sandbox / name, text);
    EXPECT_EQ(loadScripts(sandbox.path()), 3u);
    Registry<LuaScriptStringWrapper>* registry = assets->findRegistry<LuaScriptStringWrapper>();
    ASSERT_NE(registry->get(hashName("sub/b")), nullptr);
    EXPECT_EQ(registry->get(hashName("a"))->text, "\nx = 1");
    EXPECT_TRUE(logged.has(LOG_HIGH, "Script \"binding\" failed validation!"));
    EXPECT_EQ(deliveries, 0) << "validation runs no engine handler";
}

} // namespace
