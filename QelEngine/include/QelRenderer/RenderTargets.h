#pragma once

#include <glm/vec2.hpp>

#include <cstdint>

namespace Qel {

/// The off-screen targets of a frame: the light map, the scene framebuffer with its colour and
/// bright (bloom source) attachments (and a second one that adds depth), and the two ping-pong
/// framebuffers of the blur. All five
/// textures are RGBA16F, the light map at a quarter of the window's size on each side, the others
/// at the window size; main thread only.
class RenderTargets {
public:
    RenderTargets() = default;
    ~RenderTargets() { destroy(); }
    RenderTargets(const RenderTargets&) = delete;
    RenderTargets& operator=(const RenderTargets&) = delete;

    /// Builds the framebuffers and textures at size (pixels), replacing existing ones.
    void create(glm::ivec2 size);
    /// Detaches and deletes everything and binds the default framebuffer; safe when nothing exists.
    void destroy();
    bool exists() const { return sceneFBO != 0; }

    /// Follows the window size (rebuilding the targets when it changed, so a resize needs nothing
    /// else), binds the scene framebuffer and clears its colour attachments (the sprite passes
    /// clear the depth when they use it).
    void beginFrame(glm::ivec2 size);

    /// Each light map texel stands for this many window pixels on each side.
    static constexpr int kLightMapShrink = 4;
    /// The light map's size: the window's divided by kLightMapShrink, rounded up.
    glm::ivec2 lightMapSize() const;

    /// Each side of the bloom's blur region is this fraction of the window's; bloom.frag steps
    /// through the full-size bright target by the same factor.
    static constexpr int kBloomShrink = 8;

    /// The lower-left part of the ping-pong textures the bloom blurs in: an eighth of the size.
    glm::ivec2 bloomSize() const;
    /// bloomSize() as a share of the ping-pong textures' size.
    glm::vec2 bloomRegion() const;

    /// Makes the bloom's result (what the composite reads) black, as a blur of a black bright
    /// target would be. Clears only when something was blurred into it since the last clear.
    void clearBloomResult();
    /// The blur writes the bloom's result again.
    void markBloomResultWritten() { bloomResultClear = false; }

    uint32_t lightMapFBO = 0;
    uint32_t lightMap = 0;
    uint32_t sceneFBO = 0;
    uint32_t sceneColor = 0;
    uint32_t sceneBright = 0;
    /// 16-bit depth, and the scene framebuffer with it attached: opaque sprites drawn nearest first
    /// hide what lies beneath them. A software rasteriser pays for an attached depth buffer even
    /// with the test off, so the plain scene framebuffer has none.
    uint32_t sceneDepth = 0;
    uint32_t sceneDepthFBO = 0;
    uint32_t pingpongFBO[2] = {0, 0};
    uint32_t pingpongTex[2] = {0, 0};

private:
    glm::ivec2 size{0, 0};
    bool bloomResultClear = false;
};

} // namespace Qel
