#include "QelCore/Cursors.h"

#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "data/AssetManager.h"
#include "data/DirectoryLoader.h"
#include "data/JSON.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <stb_image.h>

#include <fstream>
#include <memory>

namespace Qel {

namespace {

using ImagePixels = std::unique_ptr<stbi_uc, decltype(&stbi_image_free)>;

/// A hot-spot offset that lies outside the image (X rejects those) becomes 0.
int offsetWithin(int offset, int extent) {
    return offset < 0 || offset > extent ? 0 : offset;
}

/// Decodes the image and builds its cursor; nullptr when the image cannot be used.
GLFWcursor* createCursor(const std::string& path) {
    // Cursor rows go top-down; textures decoded on other threads may flip theirs.
    stbi_set_flip_vertically_on_load_thread(0);
    GLFWimage image{};
    ImagePixels pixels(stbi_load(path.c_str(), &image.width, &image.height, nullptr, 4), &stbi_image_free);
    if (!pixels) {
        logf(LOG_MED, "unable to decode cursor image %s: %s", path.c_str(), stbi_failure_reason());
        return nullptr;
    }
    image.pixels = pixels.get();

    std::filesystem::path hotSpotFile(path);
    hotSpotFile.replace_extension(".json");
    const glm::ivec2 hotSpot = readCursorHotSpot(hotSpotFile, image.width, image.height);
    return glfwCreateCursor(&image, hotSpot.x, hotSpot.y);
}

} // namespace

glm::ivec2 readCursorHotSpot(const std::filesystem::path& hotSpotFile, int imageWidth, int imageHeight) {
    std::ifstream stream(hotSpotFile);
    if (!stream.is_open()) return {0, 0};
    JSON json;
    json.parse(stream);
    if (!json.isParsed()) return {0, 0};

    glm::ivec2 offset{0, 0};
    json.get("offsetX", offset.x);
    json.get("offsetY", offset.y);
    return {offsetWithin(offset.x, imageWidth), offsetWithin(offset.y, imageHeight)};
}

size_t loadCursors(const std::filesystem::path& folder) {
    AssetManager* assets = AssetManager::instance();
    QEL_ASSERT(assets, "AssetManager not initialized");

    loadDirectory(folder, {".png", ".jpg", ".PNG", ".JPG"},
                  [assets](const std::string& name, const std::string& path) {
                      GLFWcursor* cursor = createCursor(path);
                      if (assets->load<cursorWrapper>(name, cursor)) return true;
                      glfwDestroyCursor(cursor);
                      return false;
                  });

    Registry<cursorWrapper>* cursors = assets->obtainRegistry<cursorWrapper>();
    cursors->eraseIf([](uint64_t, const cursorWrapper& entry) { return entry.cursor == nullptr; });
    return cursors->size();
}

GLFWcursor* findCursor(uint64_t key) {
    static constexpr uint64_t kDefaultKey = hashName("default");
    AssetManager* assets = AssetManager::instance();
    if (!assets || key == kDefaultKey) return nullptr;
    Registry<cursorWrapper>* cursors = assets->findRegistry<cursorWrapper>();
    const cursorWrapper* found = cursors ? cursors->get(key) : nullptr;
    return found ? found->cursor : nullptr;
}

void destroyCursors() {
    AssetManager* assets = AssetManager::instance();
    Registry<cursorWrapper>* cursors = assets ? assets->findRegistry<cursorWrapper>() : nullptr;
    if (!cursors) return;
    cursors->forEach([](uint64_t, cursorWrapper& entry) {
        glfwDestroyCursor(entry.cursor);
        entry.cursor = nullptr;
    });
}

} // namespace Qel
