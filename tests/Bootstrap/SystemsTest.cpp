#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/Prefab/PrefabManager.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/FileHelper.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/LoadingTask.h"
#include "QelCore/LogManager.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelRenderer/Texture.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "messaging/MessageManager.h"

#include "Display.h"
#include "Files.h"
#include "LogSink.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

/// A phase-one loading task that runs until the test opens its gate.
struct Gate {
    std::atomic<bool> open{false};
};

void gatedTask(void* argument) {
    auto* gate = static_cast<Gate*>(argument);
    while (!gate->open.load())
        std::this_thread::sleep_for(1ms);
}

/// Spins (up to 10 s) until condition holds.
bool eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

/// Every manager Systems owns, as their static instance pointers.
std::array<Qel::SBPtrClass*, 14> liveManagers() {
    return {Qel::LogManager::instance(),       Qel::MessageManager::instance(),
            Qel::FileHelper::instance(),       Qel::WindowHandler::instance(),
            Qel::GraphicsEngine::instance(),   Qel::FrameRateController::instance(),
            Qel::GameStateManager::instance(), Qel::EntityManager::instance(),
            Qel::ComponentManager::instance(), Qel::SystemManager::instance(),
            Qel::PrefabManager::instance(),    Qel::AssetManager::instance(),
            Qel::SceneManager::instance(),     Qel::NodeManager::instance()};
}

/// Runs the whole bootstrap in a private tree whose content folders are empty: the process works in
/// <tree>/run, so "../Assets" and "../Defaults" are the tree's. Every test opens and closes its own
/// window.
class BootstrapTest : public testing::Test {
protected:
    void SetUp() override {
        QEL_SKIP_WITHOUT_DISPLAY();
        for (const char* folder : {"Assets/Art", "Assets/Prefabs", "Assets/Cursors"})
            fs::create_directories(tree / folder);
        Qel::test::writeText(tree / "Defaults/configs/config.json",
                             Qel::test::readText(QEL_SOURCE_DIR "/Defaults/configs/config.json"));
        // The renderer's built-in resources are not loading content; start-up cannot do without them.
        for (const char* builtIn : {"Meshes", "Shaders", "Fonts"})
            fs::create_directory_symlink(fs::path(QEL_SOURCE_DIR) / "Assets" / builtIn,
                                         tree / "Assets" / builtIn);
        tree.enter("run");
    }

    void TearDown() override {
        // Shutdown stops the loading workers itself, whatever they are doing.
        delete Qel::Systems::instance();
    }

    Qel::test::Sandbox tree{"bootstrap-tree"};
    Qel::test::LogSink logged{Qel::test::LogSink::Log::Leave};
};

TEST_F(BootstrapTest, PrefabsWaitForEveryPhaseOneTaskAndEveryTextureUpload) {
    auto* systems = new Qel::Systems();
    Gate gate;
    Qel::LoadingTasks::start(gatedTask, &gate);

    // An upload for a texture that is not registered yet stays at the front of the queue.
    constexpr uint64_t kPending = Qel::hashName("Pending");
    auto* pixels = static_cast<uint8_t*>(std::malloc(4));
    Qel::TextureCreateRequestMessage request(Qel::kTextureCreateRequest, kPending, GL_SRGB8_ALPHA8, GL_RGBA,
                                             Qel::kTextureWrapRepeat, Qel::kTextureFilterLinear, pixels);
    ASSERT_EQ(systems->messageManager->sendImmediate(request, Qel::kGraphicsMultiThreadReceiver), 1u);

    for (int frame = 0; frame < 20; ++frame)
        EXPECT_FALSE(systems->pollLoading());
    EXPECT_FALSE(systems->prefabPhaseStarted);

    // Phase one over, the upload still waiting: the prefabs do not start.
    gate.open = true;
    ASSERT_TRUE(eventually([] { return Qel::LoadingTasks::allDone(); }));
    for (int frame = 0; frame < 5; ++frame)
        EXPECT_FALSE(systems->pollLoading());
    EXPECT_FALSE(systems->prefabPhaseStarted);
    EXPECT_EQ(logged.take().find("Prefabs successfully loaded"), std::string::npos);

    // Once the texture exists the next call uploads it and starts the prefab phase.
    const fs::path png = tree / "Pending.png";
    Qel::test::writeSolidPng(png, 1, {255, 0, 0, 255});
    ASSERT_TRUE(systems->assetManager->load<Qel::Texture>("Pending", png.c_str()));
    EXPECT_FALSE(systems->pollLoading());
    EXPECT_TRUE(systems->prefabPhaseStarted);
    EXPECT_FALSE(systems->graphicsEngine->hasPendingTextureRequests());

    ASSERT_TRUE(eventually([] { return Qel::LoadingTasks::allDone(); }));
    EXPECT_TRUE(systems->pollLoading());
    EXPECT_NE(logged.take().find("Prefabs successfully loaded: 0"), std::string::npos);
}

size_t sidecarCount(const fs::path& folder) {
    size_t count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        count += entry.path().extension() == ".mdata";
    return count;
}

TEST_F(BootstrapTest, ShutdownDuringLoadingStopsTheTextureWorkerBetweenFilesBeforeTheManagersGo) {
    // Enough pictures that the worker is still busy when shutdown starts; it writes each picture's
    // sidecar as it loads it, so the sidecars show how far it got.
    constexpr size_t kPictures = 300;
    std::vector<uint8_t> gradient(256 * 256 * 4);
    for (size_t i = 0; i < gradient.size(); ++i)
        gradient[i] = static_cast<uint8_t>(i / 7);
    const fs::path art = tree / "Assets/Art";
    Qel::test::writePng(art / "0.png", 256, 256, 4, gradient);
    for (size_t i = 1; i < kPictures; ++i)
        fs::copy_file(art / "0.png", art / (std::to_string(i) + ".png"));

    delete new Qel::Systems();
    // The worker stopped at a file boundary and finished its task while the log still existed.
    const std::string output = logged.take();
    EXPECT_NE(output.find("loading of \"../Assets/Art\" stopped"), std::string::npos);
    EXPECT_NE(output.find("Textures successfully loaded"), std::string::npos);
    EXPECT_LT(sidecarCount(art), kPictures);
    for (Qel::SBPtrClass* manager : liveManagers())
        EXPECT_EQ(manager, nullptr) << "a manager outlived shutdown";
}

} // namespace
