#include "QelCore/GameStateManager.h"

#include "QelAudio/AudioManager.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/Gamepad.h"
#include "QelCore/Input.h"
#include "QelCore/InputRecording.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelRenderer/ScreenClear.h"
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <GLFW/glfw3.h>

#include <string_view>

namespace Qel {

namespace {

/// A state may leave any of its functions empty.
void call(StateFunction function) {
    if (function) function();
}

void windowFocusCallback(GLFWwindow*, int focused) {
    if (!admitWindowInput(RecordedEvent{RecordedEvent::Kind::Focus, 0, focused == GLFW_TRUE, {}})) return;
    if (GameStateManager* manager = GameStateManager::instance())
        manager->onWindowFocus(focused == GLFW_TRUE);
}

} // namespace

size_t GameStateManager::IdHash::operator()(uint64_t id) const {
    return hashName(std::string_view(reinterpret_cast<const char*>(&id), sizeof id));
}

GameStateManager::GameStateManager() = default;

uint64_t GameStateManager::addGameState(StateFunction load, StateFunction init, StateFunction update,
                                        StateFunction draw, StateFunction free, StateFunction unload) {
    GameStateManager* manager = instance();
    if (!manager) QEL_STRONG_ASSERT("GameStateManager not initialized");
    const uint64_t id = manager->nextStateId++;
    manager->states.try_emplace(id, StateFunctions{load, init, update, draw, free, unload});
    return id;
}

void GameStateManager::setWindowFocusPauseCallback() {
    WindowHandler* window = WindowHandler::instance();
    if (!window) QEL_STRONG_ASSERT("Window Handler not ready when setting window focus pause callback!");
    glfwSetWindowFocusCallback(window->getWindow(), windowFocusCallback);
}

void GameStateManager::UpdateGameStates() {
    const auto found = states.find(current);
    if (found == states.end()) QEL_STRONG_ASSERT("invalid next gamestate");
    active = &found->second;
}

void GameStateManager::run(uint64_t first) {
    next = first;
    current = next;
    previous = next;
    UpdateGameStates();

    while (current != GS_QUIT) {
        if (WindowHandler::instance()) setClearColor(0.2f, 0.3f, 0.3f, 1.0f);
        if (current == GS_RESTART) {
            // The active functions are still the restarted state's.
            current = previous;
            next = previous;
        } else {
            UpdateGameStates();
            call(active->load);
        }
        call(active->init);

        while (current == next) {
            WindowHandler* window = WindowHandler::instance();
            if (window && window->shouldClose()) {
                next = GS_QUIT;
                break;
            }
            frameFunction(*this);
        }

        call(active->free);
        if (next != GS_RESTART) call(active->unload);
        previous = current;
        current = next;
    }
}

void GameStateManager::onWindowFocus(bool focused) {
    if (AudioManager* audio = AudioManager::instance()) {
        if (focused) {
            audio->settings = savedAudio;
        } else {
            savedAudio = audio->settings;
            audio->settings.sfxPaused = audio->settings.bgmPaused = audio->settings.mfxPaused = true;
        }
        audio->applySettings();
    }
    frameFunction = focused ? normalFrame : pollOnlyFrame;
    // The time spent unfocused is no frame's update.
    if (FrameRateController* controller = FrameRateController::instance()) controller->skipFrameSplit();
}

void GameStateManager::normalFrame(GameStateManager& manager) {
    WindowHandler* window = WindowHandler::instance();
    if (window) {
        clearColorBuffer();
        window->pollEvents();
        pollGamepad();
    }
    onInputPolled(manager, true);
    ageInputStates();
    manager.console.update(isKeyPressed, isKeyTriggered);
    call(manager.active->update);
    if (MessageManager* messages = MessageManager::instance()) messages->dispatchAll();
    call(manager.active->draw);
    if (AudioManager* audio = AudioManager::instance()) audio->update();
    if (GraphicsEngine* graphics = GraphicsEngine::instance()) graphics->finishFrame();
    onFrameDrawn(manager);
    if (FrameRateController* controller = FrameRateController::instance()) controller->endFrame();
}

void GameStateManager::pollOnlyFrame(GameStateManager& manager) {
    if (WindowHandler* window = WindowHandler::instance()) window->pollEvents();
    onInputPolled(manager, false);
}

void setNextGameState(uint64_t id) {
    if (GameStateManager* manager = GameStateManager::instance()) {
        manager->setNext(id);
    } else {
        log(LOG_CRITICAL, "Attempting to setNextGameState on invalid GSM");
    }
}

} // namespace Qel
