#include "QelCore/GameStateManager.h"
#include "Display.h"

#include "LogSink.h"

#include "QelCore/Input.h"
#include "QelCore/WindowHandler.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace Qel {
namespace {

std::vector<std::string> calls;
// Next-state requests made by successive update calls, whichever state runs; 0 entries = none.
std::deque<std::vector<uint64_t>> requests;
void (*onUpdate)() = nullptr;

template <char State> void record(const char* what) {
    calls.push_back(std::string(1, State) + "." + what);
}

template <char State> uint64_t registerState() {
    return GameStateManager::addGameState([] { record<State>("load"); }, [] { record<State>("init"); },
                                          [] {
                                              record<State>("update");
                                              if (onUpdate) onUpdate();
                                              if (requests.empty()) return;
                                              for (uint64_t id : requests.front())
                                                  setNextGameState(id);
                                              requests.pop_front();
                                          },
                                          [] { record<State>("draw"); }, [] { record<State>("free"); },
                                          [] { record<State>("unload"); });
}

using Calls = std::vector<std::string>;

class GameStateManagerTest : public testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        requests.clear();
        onUpdate = nullptr;
        resetInputStates();
        manager = std::make_unique<GameStateManager>();
    }
    std::unique_ptr<GameStateManager> manager;
};

TEST_F(GameStateManagerTest, ChangeRestartAndQuitRunTheStateFunctionsInOrder) {
    const uint64_t a = registerState<'A'>();
    const uint64_t b = registerState<'B'>();
    // A restart reruns init without load.
    requests = {{}, {b}, {GS_RESTART}, {b}, {GS_QUIT}};
    manager->run(a);
    EXPECT_EQ(calls, (Calls{"A.load", "A.init", "A.update", "A.draw", "A.update", "A.draw", "A.free",
                            "A.unload", "B.load", "B.init", "B.update", "B.draw", "B.free", "B.init",
                            "B.update", "B.draw", "B.update", "B.draw", "B.free", "B.unload"}));
    EXPECT_EQ(manager->getCurrent(), GS_QUIT);
}

TEST_F(GameStateManagerTest, AFrameOpensTheConsoleBeforeUpdateAndDeliversMessagesBeforeDraw) {
    MessageManager messages;
    messages.getReceiver(hashName("Recorder"))->addHandler(hashName("ping"), [](Message&) {
        calls.push_back("dispatch");
    });
    onUpdate = [] {
        std::cout << "update" << std::endl;
        MessageManager::instance()->send(std::make_unique<Message>(hashName("ping")), hashName("Recorder"));
    };
    handleInputEvent(GLFW_KEY_LEFT_SHIFT, GLFW_PRESS);
    handleInputEvent(GLFW_KEY_GRAVE_ACCENT, GLFW_PRESS);
    requests = {{GS_QUIT}};
    test::LogSink logged;
    manager->run(registerState<'A'>());
    EXPECT_EQ(calls, (Calls{"A.load", "A.init", "A.update", "dispatch", "A.draw", "A.free", "A.unload"}));
    EXPECT_EQ(logged.take(),
              "CONSOLE WAITING FOR USER INPUT (triggered by L-SHIFT + ~) [type help for available commands]\n"
              "update\n");
}

TEST_F(GameStateManagerTest, AnUnknownStateIsAStrongAssertionARequestWithoutManagerOnlyLogged) {
    EXPECT_EXIT(manager->run(7), testing::ExitedWithCode(187), "invalid next gamestate");
    manager.reset();
    test::LogSink logged;
    setNextGameState(GS_QUIT);
    EXPECT_EQ(logged.take(), "[CRITICAL] Attempting to setNextGameState on invalid GSM\n");
}

TEST_F(GameStateManagerTest, ClosingTheWindowWhileAChangeIsPendingQuitsAfterEnteringIt) {
    QEL_SKIP_WITHOUT_DISPLAY();
    MessageManager messages;
    WindowHandler window;
    GameStateManager::setWindowFocusPauseCallback();
    const uint64_t a = registerState<'A'>();
    const uint64_t b = registerState<'B'>();
    requests = {{b}};
    onUpdate = [] { glfwSetWindowShouldClose(WindowHandler::instance()->getWindow(), GLFW_TRUE); };
    manager->run(a);
    EXPECT_EQ(calls, (Calls{"A.load", "A.init", "A.update", "A.draw", "A.free", "A.unload", "B.load",
                            "B.init", "B.free", "B.unload"}));
}

} // namespace
} // namespace Qel
