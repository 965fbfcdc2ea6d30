// Reads arbitrary bytes as a cursor's hot-spot file for images of a few sizes. Whatever they
// hold, the hot spot lies within the image, as the window system requires.
#include "QelCore/Cursors.h"

#include "FuzzSupport.h"

#include <climits>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::installQuietLog();
    static const std::filesystem::path file = fuzz::scratchFile("cursor.json");
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    for (const glm::ivec2 image :
         {glm::ivec2(0, 0), glm::ivec2(1, 1), glm::ivec2(32, 48), glm::ivec2(INT_MAX, INT_MAX)}) {
        const glm::ivec2 hotSpot = Qel::readCursorHotSpot(file, image.x, image.y);
        fuzz::require(hotSpot.x >= 0 && hotSpot.x <= image.x && hotSpot.y >= 0 && hotSpot.y <= image.y);
    }
    return 0;
}
