#pragma once

#include <glm/vec2.hpp>

#include <cstddef>
#include <cstdint>
#include <filesystem>

struct GLFWcursor;

namespace Qel {

/// A registered mouse cursor. Does not own the handle: cursors are released together by
/// destroyCursors() at shutdown, while GLFW is still running.
struct cursorWrapper {
    explicit cursorWrapper(GLFWcursor* handle) : cursor(handle) {}

    GLFWcursor* cursor = nullptr;
};

/// Loads every ".png", ".jpg", ".PNG" and ".JPG" image below folder as a cursor named by its path
/// below the folder without the extension, with the hot spot from the ".json" file beside it.
/// Images that cannot be used are dropped. Needs GLFW and the AssetManager. Returns the number of
/// cursors registered.
size_t loadCursors(const std::filesystem::path& folder = "../Assets/Cursors");

/// Hot spot (pixels from the image's top-left corner) from a JSON object with integer keys
/// "offsetX" and "offsetY". A missing key, or a value outside the image, gives 0; a missing or
/// unreadable file gives (0, 0).
glm::ivec2 readCursorHotSpot(const std::filesystem::path& hotSpotFile, int imageWidth, int imageHeight);

/// The cursor registered under key; nullptr (the standard arrow) for "default", for an unknown
/// key, or when nothing is loaded.
GLFWcursor* findCursor(uint64_t key);

/// Shutdown: releases every registered cursor under the registry's lock.
void destroyCursors();

} // namespace Qel
