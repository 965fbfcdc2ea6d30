#include "FrameTestSupport.h"

#include "QelCore/LogManager.h"
#include "QelRenderer/Shader.h"

#include <GL/glew.h>

namespace Qel {
namespace {

using test::FrameTest;

TEST_F(FrameTest, PassesOfAProgramThatDidNotBuildAreSkippedAndReportedOnce) {
    const std::filesystem::path broken = *scratch / "broken.frag";
    test::writeText(broken, "#version 450 core\nvoid main() { undeclared = 1.0; }\n");
    Shader& sprite = *assets->findRegistry<Shader>()->get(hashName("sprite"));
    Shader shipped = std::move(sprite);
    sprite =
        Shader({{GL_VERTEX_SHADER, "../Assets/Shaders/Sprite.vert"}, {GL_FRAGMENT_SHADER, broken.c_str()}});
    addSprite({0.0f, 0.0f}, {4.0f, 4.0f}, solidTexture("white", {255, 255, 255, 255}));

    const size_t linesBefore = world->log->bufferedLineCount();
    for (int frame = 0; frame < 3; ++frame)
        drawFrame();
    EXPECT_EQ(world->log->bufferedLineCount(), linesBefore + 1);
    EXPECT_LT(brightness(readPixel(640, 360)), 30) << "nothing drawn where the sprite is";
    sprite = std::move(shipped);
}

} // namespace
} // namespace Qel
