#include "Files.h"

#include <gtest/gtest.h>
#include <stb_image.h>
#include <stb_image_write.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace Qel::test {

namespace fs = std::filesystem;

Sandbox::Sandbox(const std::string& name) : root(fs::path(std::getenv("XDG_DATA_HOME")) / name) {
    fs::remove_all(root);
    fs::create_directories(root);
}

Sandbox::~Sandbox() {
    if (!previous.empty()) fs::current_path(previous);
    std::error_code error;
    fs::remove_all(root, error);
}

void Sandbox::enter(const fs::path& relative) {
    if (previous.empty()) previous = fs::current_path();
    fs::create_directories(root / relative);
    fs::current_path(root / relative);
}

void enterShippedGame(Sandbox& tree) {
    for (const char* folder : {"Assets", "Defaults"})
        fs::create_directory_symlink(fs::path(QEL_SOURCE_DIR) / folder, tree / folder);
    tree.enter("run");
}

void writeText(const fs::path& path, const std::string& text) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writePng(const fs::path& path, int width, int height, int channels, const std::vector<uint8_t>& pixels) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    EXPECT_NE(stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels), 0)
        << path;
}

void writeSolidPng(const fs::path& path, int size, const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < size * size; ++i)
        pixels.insert(pixels.end(), rgba.begin(), rgba.end());
    writePng(path, size, size, 4, pixels);
}

Image readPng(const fs::path& path, int channels, bool bottomUp) {
    Image image;
    int stored = 0;
    stbi_set_flip_vertically_on_load_thread(bottomUp);
    uint8_t* pixels = stbi_load(path.c_str(), &image.width, &image.height, &stored, channels);
    if (!pixels) return {};
    image.pixels.assign(pixels, pixels + size_t(image.width) * image.height * channels);
    stbi_image_free(pixels);
    return image;
}

std::string nestedJson(size_t depth, bool objects) {
    std::string text;
    for (size_t i = 0; i < depth; ++i)
        text += objects ? "{\"k\": " : "[";
    text += "1";
    for (size_t i = 0; i < depth; ++i)
        text += objects ? '}' : ']';
    return text;
}

JSON parseJson(const std::string& text) {
    JSON json;
    std::istringstream in(text);
    json.parse(in);
    return json;
}

} // namespace Qel::test
