#pragma once

// Files a test reads and writes. Sandbox is a fresh folder below the test process's private user
// folder (Main.cpp gives every process its own), removed again when the sandbox goes; enter()
// makes one of its folders the working directory until then, which is how a test gives the engine
// its own "../Assets" or "../Defaults". The writers create the parent folders they need.
#include "data/JSON.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace Qel::test {

class Sandbox {
public:
    explicit Sandbox(const std::string& name);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    /// Makes path() / relative (created if needed) the working directory until the sandbox goes.
    void enter(const std::filesystem::path& relative = {});
    const std::filesystem::path& path() const { return root; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return root / relative; }

private:
    std::filesystem::path root;
    std::filesystem::path previous;
};

/// Makes `tree` a game folder whose Assets and Defaults are the repository's and enters its run
/// folder, as the shipped game is started.
void enterShippedGame(Sandbox& tree);

void writeText(const std::filesystem::path& path, const std::string& text);
/// The whole file, or "" when it cannot be read.
std::string readText(const std::filesystem::path& path);
/// Writes a PNG of width x height pixels, rows top to bottom, channels bytes per pixel.
void writePng(const std::filesystem::path& path, int width, int height, int channels,
              const std::vector<uint8_t>& pixels);
/// A square PNG of one RGBA colour.
void writeSolidPng(const std::filesystem::path& path, int size, const std::vector<uint8_t>& rgba);

/// A PNG's pixels, `channels` bytes each, rows top to bottom (bottom first when `bottomUp`, as GL
/// reads a window); width and height 0 and no pixels when the file cannot be read.
struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    const uint8_t* at(int x, int y, int channels) const { return &pixels[(size_t(y) * width + x) * channels]; }
};
Image readPng(const std::filesystem::path& path, int channels, bool bottomUp = false);

/// The document parsed from `text` (unparsed when the text is not JSON).
JSON parseJson(const std::string& text);
/// `depth` nested containers, objects {"k": ...} or arrays [...], around a 1.
std::string nestedJson(size_t depth, bool objects);
/// What the reader logs about a document nested deeper than it takes.
inline const std::string kTooDeepLine =
    "[HIGH] JSON: nested deeper than " + std::to_string(JSON::kMaxDepth) + " levels\n";

} // namespace Qel::test
