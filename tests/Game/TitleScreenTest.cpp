// The real game under Xvfb: start-up with the shipped content, the splash, a key press once
// loading is done, and the title scene on screen where its file puts it.
#include "Display.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/UITransform.h"
#include "ECS/EntityManager.h"
#include "GameStates.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/UILayout.h"
#include "QelSceneManager/QelSceneManager.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Screen {
    glm::ivec2 size{0, 0};
    std::vector<glm::u8vec4> pixels; // rows bottom to top

    glm::vec3 average(glm::ivec2 from, glm::ivec2 to) const {
        glm::vec3 sum(0.0f);
        for (int y = from.y; y < to.y; ++y)
            for (int x = from.x; x < to.x; ++x)
                sum += glm::vec3(pixels[size_t(y) * size.x + x]);
        return sum / float((to.x - from.x) * (to.y - from.y));
    }
};

// Filled by the title scene's update wrapper, inspected after the game loop has ended.
Screen titleScreen;
std::vector<std::pair<std::string, glm::vec4>> titleElements; // name, window-pixel rectangle
int titleFrames = 0;

/// Runs the scene, and after a few frames captures the screen and the rectangles of the named UI
/// elements, then closes the window as a player would.
void titleUpdateCapturingTheScreen() {
    GS_SCENE::update();
    if (++titleFrames < 5) return;
    Qel::WindowHandler* window = Qel::WindowHandler::instance();
    titleScreen.size = window->getCurrentSize();
    titleScreen.pixels.resize(size_t(titleScreen.size.x) * titleScreen.size.y);
    glReadPixels(0, 0, titleScreen.size.x, titleScreen.size.y, GL_RGBA, GL_UNSIGNED_BYTE,
                 titleScreen.pixels.data());

    Qel::EntityManager& entities = *Qel::EntityManager::instance();
    Qel::ComponentManager& components = *Qel::ComponentManager::instance();
    for (const Qel::EntityHandle& handle : Qel::SceneManager::instance()->drawLists.uiEntities()) {
        const Qel::EntityInfo* info = entities.GetInfo(handle.first);
        if (!info || entities.IsDisabled(handle.first)) continue;
        const Qel::UIBox box = Qel::layoutUIElement(components.GetComponent<Qel::UITransform>(handle.first),
                                                    glm::vec2(titleScreen.size));
        // The quad spans -0.5..0.5 before the model matrix; window pixels start at the centre.
        const glm::vec4 low = box.model * glm::vec4(-0.5f, -0.5f, 0.0f, 1.0f);
        const glm::vec4 high = box.model * glm::vec4(0.5f, 0.5f, 0.0f, 1.0f);
        const glm::vec2 centre = glm::vec2(titleScreen.size) / 2.0f;
        titleElements.emplace_back(info->name, glm::vec4(glm::vec2(low) + centre, glm::vec2(high) + centre));
    }
    glfwSetWindowShouldClose(window->getWindow(), GLFW_TRUE);
}

TEST(TitleScreenTest, TheGameReachesItsTitleWithEveryButtonWhereTheSceneSaysAndClosesCleanly) {
    QEL_SKIP_WITHOUT_DISPLAY();
    Qel::test::playShippedGame(titleUpdateCapturingTheScreen);

    ASSERT_GE(titleFrames, 5) << "the title scene never ran";
    const Screen& screen = titleScreen;
    // Each button draws its frame and label inside its rectangle: it looks unlike the background
    // just beside it, which the scene leaves empty (a blank or misplaced picture fails here).
    int buttons = 0;
    for (const auto& [name, rect] : titleElements) {
        if (name != "PlayButton" && name != "mHowToPlayButton" && name != "mSettingsButton" &&
            name != "CreditsButton" && name != "QuitButton")
            continue;
        ++buttons;
        const glm::ivec2 low(rect.x, rect.y), high(rect.z, rect.w);
        ASSERT_TRUE(low.x > 40 && high.x + 40 < screen.size.x && low.y >= 0 && high.y <= screen.size.y)
            << name;
        const glm::ivec2 inset = (high - low) / 6;
        const glm::vec3 inside = screen.average(low + inset, high - inset);
        const glm::vec3 beside =
            screen.average({high.x + 8, low.y + inset.y}, {high.x + 40, high.y - inset.y});
        EXPECT_GT(glm::length(inside - beside), 12.0f) << name << " is not drawn where the scene puts it";
    }
    EXPECT_EQ(buttons, 5);
}

} // namespace
