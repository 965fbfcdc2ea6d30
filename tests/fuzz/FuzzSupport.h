#pragma once

// What the fuzz targets share: the input as text or JSON, a check that fails as a crash libFuzzer
// reports, a per-process scratch file, a log that keeps only CRITICAL lines (so message formatting
// still runs without flooding the output) and the managers that build entities.
#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"
#include "QelCore/LogManager.h"
#include "data/AssetManager.h"
#include "data/JSON.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace fuzz {

inline void require(bool condition) {
    if (!condition) std::abort();
}

inline std::string text(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline Qel::JSON parse(const std::string& text) {
    Qel::JSON doc;
    std::istringstream in(text);
    doc.parse(in);
    return doc;
}

/// A file of this process's own in the temporary folder, so parallel runs never share one.
inline std::filesystem::path scratchFile(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("qel-fuzz-" + std::to_string(getpid()) + "-" + name);
}

inline void quiet(Qel::LogManager& log) {
    log.setAddPriority(Qel::LOG_CRITICAL);
    log.setEchoPriority(Qel::LOG_CRITICAL);
}

/// A quiet log for targets without an EcsWorld, created once per process.
inline void installQuietLog() {
    static Qel::LogManager* log = new Qel::LogManager();
    quiet(*log);
}

/// A quiet log and every component type registered; targets make one per process and add what
/// else they need beside it.
struct EcsWorld {
    EcsWorld() {
        quiet(log);
        Qel::assignComponentTypeNames();
        Qel::forEachComponentType([&]<class T>() { components.RegisterComponent<T>(); });
    }

    Qel::LogManager log;
    Qel::EntityManager entities;
    Qel::ComponentManager components;
    Qel::SystemManager systems;
    Qel::AssetManager assets;
};

} // namespace fuzz
