// A recorded play of the intro level (the splash, Play, the conversation clicked through, a walk
// to the right and a few swings), replayed through the whole game twice: each replay saves its
// last frame and quits, with the player and the Cinderlings where the stored run left them and
// the frame looking like the stored picture. Set QEL_WRITE_EXPECTED=1 to store new expectations
// after a deliberate change to the level or its look.
#include "Display.h"
#include "ECS/ComponentManager.h"
#include "ECS/Components/Enemy.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "GameStates.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/InputRecording.h"

#include <stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

using namespace Qel;

const std::filesystem::path kFixtures = std::filesystem::path(QEL_TESTS_DIR) / "fixtures" / "replay";
constexpr uint64_t kLastFrame = 78;
constexpr int kBox = 16; // the picture is compared in averages of 16 x 16 pixels

struct Outcome {
    std::string positions; // "name x y" lines: the player first, then the Cinderlings by entity
    std::vector<uint8_t> picture;
    int width = 0, height = 0;
};

Outcome seen;

/// The scene's update, noting where everyone is after each frame: the last frame's note stays.
void watchScene() {
    GS_SCENE::update();
    const PlayerSystem* players = PlayerSystem::active();
    if (!players || players->player() == MAX_ENTITIES) return;
    ComponentManager& components = *ComponentManager::instance();
    std::ostringstream lines;
    const auto note = [&](const std::string& name, Entity entity) {
        const glm::vec3 at = components.GetComponent<Transform>(entity).position;
        char line[128];
        std::snprintf(line, sizeof line, "%s %.3f %.3f\n", name.c_str(), at.x, at.y);
        lines << line;
    };
    note("player", players->player());
    for (Entity entity = 0; entity < MAX_ENTITIES; ++entity)
        if (EntityInfo* info = EntityManager::instance()->GetInfo(entity);
            info && components.HasComponent<Enemy>(entity))
            note(info->name, entity);
    seen.positions = lines.str();
}

/// The saved frame in box averages, rows top to bottom, RGB.
std::vector<uint8_t> boxAverages(const uint8_t* pixels, int width, int height) {
    std::vector<uint8_t> boxes;
    for (int by = 0; by < height / kBox; ++by)
        for (int bx = 0; bx < width / kBox; ++bx)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int y = by * kBox; y < (by + 1) * kBox; ++y)
                    for (int x = bx * kBox; x < (bx + 1) * kBox; ++x)
                        sum += pixels[(size_t(y) * width + x) * 3 + c];
                boxes.push_back(uint8_t(sum / (kBox * kBox)));
            }
    return boxes;
}

Outcome replay() {
    test::Sandbox tree("replay");
    test::enterShippedGame(tree);
    seen = {};
    new Systems();
    // The replay's steps are recorded: it need not wait for the frame cap.
    FrameRateController::instance()->setTargetFps(0);
    test::registerGameStates(GS_SPLASH::update, watchScene);
    EXPECT_TRUE(startInputReplay(kFixtures / "level.rec", kLastFrame));
    GameStateManager::instance()->run(gsSplashId);
    stopInputRecording();
    delete Systems::instance();

    int channels = 0;
    uint8_t* frame = stbi_load(("replay-frame-" + std::to_string(kLastFrame) + ".png").c_str(), &seen.width,
                               &seen.height, &channels, 3);
    EXPECT_NE(frame, nullptr) << "the replay saved no frame";
    if (frame) seen.picture = boxAverages(frame, seen.width, seen.height);
    stbi_image_free(frame);
    seen.width /= kBox;
    seen.height /= kBox;
    return seen;
}

TEST(Replay, ARecordedPlayEndsWhereItDidTwice) {
    QEL_SKIP_WITHOUT_DISPLAY();
    const Outcome first = replay();
    const Outcome second = replay();
    ASSERT_FALSE(first.picture.empty());
    EXPECT_EQ(first.positions, second.positions);
    EXPECT_EQ(first.picture, second.picture);

    const std::filesystem::path positions = kFixtures / "level-end.txt", picture = kFixtures / "level-end.png";
    if (std::getenv("QEL_WRITE_EXPECTED")) {
        test::writeText(positions, first.positions);
        test::writePng(picture, first.width, first.height, 3, first.picture);
        GTEST_SKIP() << "stored " << positions << " and " << picture;
    }
    EXPECT_EQ(first.positions, test::readText(positions));
    int width = 0, height = 0, channels = 0;
    uint8_t* expected = stbi_load(picture.c_str(), &width, &height, &channels, 3);
    ASSERT_NE(expected, nullptr) << picture;
    ASSERT_EQ(glm::ivec2(width, height), glm::ivec2(first.width, first.height));
    // Rasterisers differ in the last bit of a blend: a few levels in a box average are noise, a
    // sprite that moved or a scene that differs is not.
    int worst = 0;
    for (size_t i = 0; i < first.picture.size(); ++i)
        worst = std::max(worst, std::abs(int(first.picture[i]) - int(expected[i])));
    stbi_image_free(expected);
    EXPECT_LE(worst, 6);
}

} // namespace
