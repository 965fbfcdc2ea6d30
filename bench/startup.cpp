// Start-up of the real game with the shipped content: milliseconds from process start until the
// background loading reports completion, and the peak resident memory once the title scene has
// drawn a few frames. Runs itself as five separate processes and prints the medians. The sounds are
// decoded meanwhile, on their own worker.
// Needs an X display (xvfb-run).
#include "BenchStats.h"
#include "GameStart.h"
#include "GameStates/CommonState.h"
#include "GameStates/GameState_Scene.h"
#include "QelCore/LogManager.h"
#include "QelCore/QelSystems.h"
#include "QelCore/WindowHandler.h"
#include "QelSceneManager/QelSceneManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;

/// Seconds since the process started, from the kernel's record of its start.
double secondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string field;
    for (int i = 0; i < 22 && stat >> field;)
        ++i;
    const double startTicks = std::stod(field);
    std::ifstream uptimeFile("/proc/uptime");
    double uptime = 0.0;
    uptimeFile >> uptime;
    return uptime - startTicks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

/// Peak resident set size (VmHWM) in MiB.
double peakResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0.0;
}

/// One game start: prints "<ms to loading done> <peak MiB at the title>".
int measureOnce() {
    const Clock::time_point mainStart = Clock::now();
    const double beforeMain = secondsSinceProcessStart();
    Qel::Systems* systems = Bench::startGameUntilLoaded();
    const double loadedMs =
        beforeMain * 1000.0 + std::chrono::duration<double, std::milli>(Clock::now() - mainStart).count();
    GS_COMMON::free();
    GS_SCENE::init();
    for (int frame = 0; frame < 10; ++frame) {
        GS_SCENE::update();
        systems->windowHandler->swapBuffers();
    }
    std::printf("%.1f %.1f\n", loadedMs, peakResidentMiB());
    GS_COMMON::free();
    GS_COMMON::unload();
    delete systems;
    return 0;
}


} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) {
        std::puts("bench_startup needs an X display: run it under xvfb-run -a -s \"-screen 0 1920x1080x24\"");
        return 1;
    }
    // Without a sound card OpenAL opens no device and no sound would be decoded; its null output
    // mixes like a real one, so the sounds load as in the game. ALSOFT_DRIVERS=none measures without.
    setenv("ALSOFT_DRIVERS", "null", 0);
    const fs::path bin = fs::path(QEL_SOURCE_DIR) / "bin";
    fs::create_directories(bin);
    fs::current_path(bin);
    if (argc > 1 && std::string(argv[1]) == "--once") return measureOnce();

    std::vector<double> loading, memory;
    for (int run = 0; run < kRuns; ++run) {
        const std::string command = "\"" + fs::canonical("/proc/self/exe").string() + "\" --once";
        FILE* child = popen(command.c_str(), "r");
        double ms = 0.0, mib = 0.0;
        char line[256];
        while (child && std::fgets(line, sizeof line, child))
            if (std::sscanf(line, "%lf %lf", &ms, &mib) == 2) {
                loading.push_back(ms);
                memory.push_back(mib);
            }
        if (child) pclose(child);
    }
    if (loading.empty()) {
        std::puts("no run finished");
        return 1;
    }
    std::printf("runs: %zu\nprocess start to loading complete: %.0f ms (median)\n", loading.size(),
                Bench::median(loading));
    std::printf("peak resident memory at the title: %.1f MiB (median)\n", Bench::median(memory));
    return 0;
}
