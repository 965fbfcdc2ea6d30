// Frame cost of the real game: the shipped title and intro level, each run for a fixed number of
// frames through the game's own frame (clear, events, systems, messages, buffer swap) without the
// frame cap. Prints the median and 95th-percentile wall time per frame and the main thread's CPU
// time per frame (the engine plus the GL driver's work on that thread; a software rasteriser's
// own threads are not in it). Needs an X display (xvfb-run); the window is 1280 x 720.
// With "--shots <folder>" it instead steps each scene by a fixed 1/60 s for 120 frames and writes
// the last frame to <folder>/title.png and <folder>/level.png, for comparing pictures across builds.
#include "BenchStats.h"
#include "ECS/System/SystemManager.h"
#include "GameStart.h"
#include "GameStates/CommonState.h"
#include "GameStates/GameState_Scene.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/Input.h"
#include "QelCore/LogManager.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"
#include "QelRenderer/ScreenClear.h"
#include "QelSceneManager/QelSceneManager.h"
#include "messaging/MessageManager.h"

#include <GL/glew.h>
#include <stb_image_write.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kWarmUpFrames = 30;
constexpr int kDefaultFrames = 200;
constexpr int kShotFrames = 120;
constexpr float kShotStep = 1.0f / 60.0f;

/// One frame as the game's loop runs it in the scene state, finished on the GPU before returning.
void gameFrame(Qel::Systems& systems) {
    Qel::clearColorBuffer();
    systems.windowHandler->pollEvents();
    Qel::ageInputStates();
    GS_SCENE::update();
    systems.messageManager->dispatchAll();
    systems.frameRateController->endFrame();
    glFinish();
}

bool startScene(Qel::Systems& systems, const char* label, const char* file) {
    GS_COMMON::free();
    if (!systems.sceneManager->setNextScene(file)) {
        std::printf("%s: %s not found\n", label, file);
        return false;
    }
    GS_SCENE::init();
    return true;
}

/// The game's frame with a fixed step instead of the measured one, so every build shows the same.
void steppedFrame(Qel::Systems& systems) {
    Qel::clearColorBuffer();
    systems.windowHandler->pollEvents();
    Qel::ageInputStates();
    systems.systemManager->UpdateAll(kShotStep);
    systems.messageManager->dispatchAll();
}

/// Runs the scene for kShotFrames fixed steps and writes the last frame, top row first.
bool shootScene(Qel::Systems& systems, const char* label, const char* file, const fs::path& folder) {
    if (!startScene(systems, label, file)) return false;
    for (int frame = 0; frame < kShotFrames; ++frame) {
        steppedFrame(systems);
        if (frame + 1 < kShotFrames) systems.windowHandler->swapBuffers();
    }
    const int width = 1280, height = 720;
    std::vector<uint8_t> pixels(size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    stbi_flip_vertically_on_write(1);
    const fs::path path = folder / (std::string(label) + ".png");
    const bool written = stbi_write_png(path.c_str(), width, height, 3, pixels.data(), width * 3) != 0;
    std::printf("%s: %s\n", label, written ? path.c_str() : "could not be written");
    systems.windowHandler->swapBuffers();
    return written;
}

/// Loads the scene file and prints its frame figures.
bool measureScene(Qel::Systems& systems, const char* label, const char* file, int frames) {
    if (!startScene(systems, label, file)) return false;
    std::vector<double> wall, cpu;
    for (int frame = 0; frame < kWarmUpFrames + frames; ++frame) {
        const Clock::time_point start = Clock::now();
        const double cpuStart = Bench::threadCpuMs();
        gameFrame(systems);
        if (frame < kWarmUpFrames) continue;
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        cpu.push_back(Bench::threadCpuMs() - cpuStart);
    }
    std::printf("%-8s %10.2f %10.2f %10.2f %10.1f\n", label, Bench::percentile(wall, 0.5),
                Bench::percentile(wall, 0.95), Bench::percentile(cpu, 0.5),
                1000.0 / Bench::percentile(wall, 0.5));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::puts("bench_frames needs an X display: run it under xvfb-run -a -s \"-screen 0 1920x1080x24\"");
        return 1;
    }
    const bool shots = argc > 2 && std::string(argv[1]) == "--shots";
    const fs::path shotFolder = shots ? fs::absolute(argv[2]) : fs::path();
    const int frames = !shots && argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultFrames;
    // The shipped default settings (1280 x 720, windowed), never the user's own.
    const fs::path user = fs::temp_directory_path() / "qel-bench-frames";
    fs::create_directories(user);
    setenv("XDG_DATA_HOME", user.c_str(), 1);
    const fs::path bin = fs::path(QEL_SOURCE_DIR) / "bin";
    fs::create_directories(bin);
    fs::current_path(bin);

    Qel::Systems* systems = Bench::startGameUntilLoaded();
    systems->frameRateController->setTargetFps(0);
    constexpr const char* kTitle = "../Assets/Scenes/MainMenu.json";
    constexpr const char* kLevel = "../Assets/Scenes/Introlevel_Scripted.json";
    bool measured = false;
    if (shots) {
        fs::create_directories(shotFolder);
        measured = shootScene(*systems, "title", kTitle, shotFolder) &&
                   shootScene(*systems, "level", kLevel, shotFolder);
    } else {
        std::printf("renderer: %s; %d frames after %d warm-up frames\n",
                    reinterpret_cast<const char*>(glGetString(GL_RENDERER)), frames, kWarmUpFrames);
        std::printf("%-8s %10s %10s %10s %10s\n", "scene", "median ms", "p95 ms", "cpu ms", "fps");
        measured = measureScene(*systems, "title", kTitle, frames) &&
                   measureScene(*systems, "level", kLevel, frames);
    }
    GS_COMMON::free();
    GS_COMMON::unload();
    delete systems;
    return measured ? 0 : 1;
}
