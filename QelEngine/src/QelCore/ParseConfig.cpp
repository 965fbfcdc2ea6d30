#include "QelAudio/AudioManager.h"
#include "QelCore/ConfigTargets.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/QelSystems.h"
#include "QelCore/UserConfig.h"
#include "QelCore/WindowHandler.h"
#include "data/NameHash.h"
#include "messaging/Message.h"
#include "messaging/MessageManager.h"

#include <GLFW/glfw3.h>

#include <memory>

namespace Qel {

namespace {

// The engine's managers as configuration targets. A manager that does not exist is skipped,
// and the window then reads as the default windowed one.
class EngineConfigTargets final : public ConfigTargets {
public:
    void setFullscreen(bool on) override {
        if (window) window->setFullscreen(on);
    }
    bool isFullscreen() const override { return window && window->isFullscreen(); }
    void setSwapInterval(int interval) override {
        if (window && glfwGetCurrentContext()) glfwSwapInterval(interval);
    }
    void setWindowedSize(int width, int height) override {
        if (window) window->setWindowedSize(width, height);
    }
    glm::ivec2 getWindowedSize() const override {
        if (!window) return {WindowHandler::kDefaultWidth, WindowHandler::kDefaultHeight};
        return {window->getWindowedWidth(), window->getWindowedHeight()};
    }
    glm::ivec2 getCurrentSize() const override {
        return window ? window->getCurrentSize() : getWindowedSize();
    }
    void announceWindowSize(int width, int height) override {
        if (MessageManager* messages = MessageManager::instance()) {
            messages->send(std::make_unique<MessageArgs<int, int>>(hashName("windowResized"), width, height),
                           MessageManager::kBroadcast);
        }
    }
    void setFrameCap(uint32_t framesPerSecond) override {
        if (FrameRateController* frames = FrameRateController::instance())
            frames->setTargetFps(framesPerSecond);
    }
    AudioSettings* audioSettings() override { return audio ? &audio->settings : nullptr; }
    void applyAudioSettings() override {
        if (audio) audio->applySettings();
    }

private:
    WindowHandler* window = WindowHandler::instance();
    AudioManager* audio = AudioManager::instance();
};

} // namespace

void Systems::parseConfig() {
    EngineConfigTargets targets;
    loadUserConfig(targets);
}

} // namespace Qel
