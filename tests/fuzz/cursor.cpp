// Reads arbitrary bytes as a cursor's hot-spot file for images of a few sizes. Whatever they
// hold, the hot spot lies within the image, as the window system requires.
#include "QelCore/Cursors.h"
#include "QuietLog.h"

#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    installQuietLog();
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("qel-fuzz-cursor-" + std::to_string(getpid()) + ".json");
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    for (const glm::ivec2 image :
         {glm::ivec2(0, 0), glm::ivec2(1, 1), glm::ivec2(32, 48), glm::ivec2(INT_MAX, INT_MAX)}) {
        const glm::ivec2 hotSpot = Qel::readCursorHotSpot(file, image.x, image.y);
        if (hotSpot.x < 0 || hotSpot.x > image.x || hotSpot.y < 0 || hotSpot.y > image.y) std::abort();
    }
    return 0;
}
