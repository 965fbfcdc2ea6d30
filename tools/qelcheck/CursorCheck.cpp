#include "CheckKinds.h"

#include "QelCore/Cursors.h"

#include <stb_image.h>

#include <climits>

namespace Qel::Check {

// Cursor images and their hot-spot files (the image's name with ".json").
void checkCursors(CheckContext& context) {
    for (const auto& image : context.files("Cursors", {".png", ".jpg", ".PNG", ".JPG"})) {
        int width = 0, height = 0, channels = 0;
        if (!stbi_info(image.c_str(), &width, &height, &channels)) {
            context.report(image, "", "cannot be decoded as an image; the cursor is dropped");
            continue;
        }
        std::filesystem::path hotSpot = image;
        hotSpot.replace_extension(".json");
        if (!std::filesystem::is_regular_file(hotSpot)) {
            context.report(image, "",
                           "has no hot-spot file " + hotSpot.filename().string() +
                               "; the hot spot is the top-left corner");
            continue;
        }
        glm::ivec2 written{0, 0};
        context.read(hotSpot, [&] { written = readCursorHotSpot(hotSpot, INT_MAX, INT_MAX); });
        // The engine replaces an offset outside the image by 0.
        if (readCursorHotSpot(hotSpot, width, height) != written)
            context.report(hotSpot, "",
                           "hot spot (" + std::to_string(written.x) + ", " + std::to_string(written.y) +
                               ") lies outside the " + std::to_string(width) + " x " +
                               std::to_string(height) + " image, expected offsets within it");
    }
}

} // namespace Qel::Check
