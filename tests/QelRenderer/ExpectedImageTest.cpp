// A small lit scene compared with a stored picture: a lamp, a shadow-receiving floor, a caster
// with its drop shadow, a glowing sprite feeding the bloom, a tinted sprite and a rotated one.
// Set QEL_WRITE_EXPECTED=1 to store a new picture after a deliberate change to the look.
#include "FrameTestSupport.h"

#include "ECS/Components/Light.h"
#include "ECS/Components/ModelMatrix.h"
#include "QelRenderer/Texture.h"

#include <GL/glew.h>

#include <cstdlib>

namespace Qel {
namespace {

using test::FrameTest;

const std::filesystem::path kExpected =
    std::filesystem::path(QEL_TESTS_DIR) / "QelRenderer" / "expected" / "lit_scene.png";
constexpr int kWidth = 1280, kHeight = 720;

/// The window's pixels, rows top to bottom as in a picture file.
std::vector<uint8_t> readWindow() {
    std::vector<uint8_t> rows(size_t(kWidth) * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    std::vector<uint8_t> flipped(rows.size());
    const size_t stride = size_t(kWidth) * 4;
    for (int y = 0; y < kHeight; ++y)
        std::copy_n(rows.begin() + y * stride, stride, flipped.begin() + (kHeight - 1 - y) * stride);
    return flipped;
}

TEST_F(FrameTest, ALitSceneLooksLikeItsStoredPicture) {
    Texture* white = solidTexture("white", {255, 255, 255, 255});
    Texture* stone = solidTexture("stone", {150, 140, 130, 255});
    graphics->setAmbient(glm::vec4(0.5f, 0.55f, 0.7f, 0.35f));

    const Entity floor = addSprite({0.0f, 0.0f}, {36.0f, 20.0f}, stone, 0);
    components->GetComponent<SpriteRenderer>(floor).isRecieveShadow = true;
    const Entity caster = addSprite({-4.0f, 1.0f}, {2.0f, 3.0f}, white, 2);
    components->GetComponent<SpriteRenderer>(caster).isCastShadow = true;
    const Entity glow = addSprite({6.0f, -3.0f}, {1.5f, 1.5f}, white, 2);
    components->GetComponent<SpriteRenderer>(glow).emission = white;
    components->GetComponent<SpriteRenderer>(glow).emissionAmount = 3.0f;
    const Entity tinted = addSprite({8.0f, 4.0f}, {3.0f, 1.0f}, white, 1);
    components->GetComponent<SpriteRenderer>(tinted).color = glm::vec4(0.2f, 0.8f, 0.4f, 0.8f);
    Transform& turned =
        components->GetComponent<Transform>(addSprite({-10.0f, -4.0f}, {3.0f, 1.0f}, white, 1));
    turned.rotation = 30.0f;
    refreshModelMatrix(turned);

    world->spawn(Transform{.position = {-1.0f, 0.0f, 0.0f}},
                 Light{.color = {1.0f, 0.7f, 0.4f}, .range = 12.0f, .intensity = 2.0f});
    drawFrame();
    const std::vector<uint8_t> actual = readWindow();

    if (std::getenv("QEL_WRITE_EXPECTED")) {
        test::writePng(kExpected, kWidth, kHeight, 4, actual);
        GTEST_SKIP() << "stored " << kExpected;
    }
    const test::Image expected = test::readPng(kExpected, 4);
    ASSERT_EQ(glm::ivec2(expected.width, expected.height), glm::ivec2(kWidth, kHeight)) << kExpected;
    // Rasterisers differ in the last bit of a blend or a filter: a few levels on average and a
    // handful of stray pixels are noise, a moved or recoloured sprite is not.
    double total = 0.0;
    size_t offPixels = 0;
    for (size_t i = 0; i < actual.size(); i += 4) {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(int(actual[i + c]) - int(expected.pixels[i + c])));
        total += worst;
        offPixels += worst > 24;
    }
    if (HasFailure() || total / (kWidth * kHeight) >= 2.0 || offPixels >= size_t(kWidth * kHeight / 1000)) {
        const std::filesystem::path got = std::filesystem::temp_directory_path() / "qel_lit_scene_actual.png";
        test::writePng(got, kWidth, kHeight, 4, actual);
        ADD_FAILURE() << "the frame differs from " << kExpected << "; this frame is in " << got;
    }
}

} // namespace
} // namespace Qel
