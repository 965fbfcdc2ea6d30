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

#include <cstdlib>
#include <iomanip>
#include <sstream>

namespace {

using namespace Qel;

const std::filesystem::path kFixtures = std::filesystem::path(QEL_TESTS_DIR) / "fixtures" / "replay";
constexpr uint64_t kLastFrame = 78;

/// A picture in averages of box x box pixels, rows top to bottom, RGB; empty when unreadable.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;

    Picture(const std::filesystem::path& path, int box) {
        const test::Image image = test::readPng(path, 3);
        width = image.width / box;
        height = image.height / box;
        for (int i = 0; i < width * height * 3; ++i) {
            const int bx = i / 3 % width, by = i / 3 / width;
            int sum = 0;
            for (int y = by * box; y < (by + 1) * box; ++y)
                for (int x = bx * box; x < (bx + 1) * box; ++x)
                    sum += image.at(x, y, 3)[i % 3];
            rgb.push_back(uint8_t(sum / (box * box)));
        }
    }

    /// The largest difference of one colour of one box; 256 for pictures of different sizes.
    int worstDifference(const Picture& other) const {
        if (rgb.size() != other.rgb.size() || width != other.width) return 256;
        int worst = 0;
        for (size_t i = 0; i < rgb.size(); ++i)
            worst = std::max(worst, std::abs(int(rgb[i]) - int(other.rgb[i])));
        return worst;
    }
};

// "name x y" lines of the last frame: the player first, then the Cinderlings by entity.
std::string positions;

/// The scene's update, noting where everyone is after each frame.
void watchScene() {
    GS_SCENE::update();
    const PlayerSystem* players = PlayerSystem::active();
    if (!players || players->player() == MAX_ENTITIES) return;
    ComponentManager& components = *ComponentManager::instance();
    std::ostringstream lines;
    lines << std::fixed << std::setprecision(3);
    const auto note = [&](const std::string& name, Entity entity) {
        const glm::vec3 at = components.GetComponent<Transform>(entity).position;
        lines << name << ' ' << at.x << ' ' << at.y << '\n';
    };
    note("player", players->player());
    for (Entity entity = 0; entity < MAX_ENTITIES; ++entity)
        if (EntityInfo* info = EntityManager::instance()->GetInfo(entity);
            info && components.HasComponent<Enemy>(entity))
            note(info->name, entity);
    positions = lines.str();
}

/// The recorded play through the whole game: where everyone ended and the saved last frame.
std::pair<std::string, Picture> replay() {
    test::Sandbox tree("replay");
    test::enterShippedGame(tree);
    new Systems();
    // The replay's steps are recorded: it need not wait for the frame cap.
    FrameRateController::instance()->setTargetFps(0);
    test::registerGameStates(GS_SPLASH::update, watchScene);
    EXPECT_TRUE(startInputReplay(kFixtures / "level.rec", kLastFrame));
    GameStateManager::instance()->run(gsSplashId);
    stopInputRecording();
    delete Systems::instance();
    return {positions, Picture("replay-frame-" + std::to_string(kLastFrame) + ".png", 16)};
}

TEST(Replay, ARecordedPlayEndsWhereItDidTwice) {
    QEL_SKIP_WITHOUT_DISPLAY();
    const auto [where, frame] = replay();
    const auto [whereAgain, frameAgain] = replay();
    ASSERT_FALSE(frame.rgb.empty()) << "the replay saved no frame";
    EXPECT_EQ(where, whereAgain);
    EXPECT_EQ(frame.worstDifference(frameAgain), 0);

    const std::filesystem::path storedWhere = kFixtures / "level-end.txt",
                                stored = kFixtures / "level-end.png";
    if (std::getenv("QEL_WRITE_EXPECTED")) {
        test::writeText(storedWhere, where);
        test::writePng(stored, frame.width, frame.height, 3, frame.rgb);
        GTEST_SKIP() << "stored " << storedWhere << " and " << stored;
    }
    EXPECT_EQ(where, test::readText(storedWhere));
    // Rasterisers differ in the last bit of a blend: a few levels in a box average are noise, a
    // sprite that moved or a scene that differs is not.
    EXPECT_LE(frame.worstDifference(Picture(stored, 1)), 6);
}

} // namespace
