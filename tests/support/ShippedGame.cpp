#include "ShippedGame.h"

#include "Display.h"
#include "SpriteDefaults.h"

#include "ECS/System/RegisterSystems.h"
#include "QelCore/Input.h"

#include <GLFW/glfw3.h>

namespace Qel::test {

ShippedGameTest::ShippedGameTest(float frameSeconds) : frameSeconds(frameSeconds), tree("game") {}

void ShippedGameTest::SetUp() {
    QEL_SKIP_WITHOUT_DISPLAY();
    enterShippedGame(tree);
    files = std::make_unique<FileHelper>();
    window = std::make_unique<WindowHandler>();
    world.catalogue();
    registerSystems(*world.systems);
    ASSERT_TRUE(loadSpriteDefaults(*world.assets));
    resetInputStates();
}

void ShippedGameTest::frame() {
    ageInputStates();
    world.systems->UpdateAll(frameSeconds);
    world.messages->dispatchAll();
}

void ShippedGameTest::press(int code) {
    handleInputEvent(code, GLFW_PRESS);
    frame();
    handleInputEvent(code, GLFW_RELEASE);
    frame();
}

} // namespace Qel::test
