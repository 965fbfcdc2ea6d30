#include "QelRenderer/FrameOverlay.h"

#include "ECS/EntityManager.h"
#include "ECS/System/Systems/ParticleSystem.h"
#include "QelCore/FrameRateController.h"
#include "QelRenderer/Font.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/TextLayout.h"
#include "QelRenderer/UIPass.h"
#include "data/AssetManager.h"

#include <GL/glew.h>
#include <glm/ext/matrix_transform.hpp>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

namespace Qel {

namespace {

/// Reference units (2560 x 1440 space) from the window's corner to the text, and of the backdrop
/// around it in pixels.
constexpr float kMargin = 16.0f;
constexpr float kPadding = 6.0f;
constexpr int32_t kTextSize = 20;
constexpr glm::vec4 kTextColor{1.0f, 0.95f, 0.6f, 1.0f};
constexpr glm::vec4 kBackdropColor{0.0f, 0.0f, 0.0f, 0.7f};

struct PlacedGlyph {
    uint32_t texture;
    glm::mat4 model;
};

} // namespace

std::string overlayText(const OverlayFigures& figures) {
    const FrameReport& timing = figures.timing;
    char text[256];
    std::snprintf(text, sizeof text,
                  "%.1f fps\nupdate %.2f ms | draw %.2f ms | wait %.2f ms\n"
                  "entities %llu | draw calls %llu | particles %zu",
                  timing.fps, timing.updateMs, timing.drawMs, timing.waitMs,
                  static_cast<unsigned long long>(figures.entities),
                  static_cast<unsigned long long>(figures.drawCalls), figures.particles);
    return text;
}

Font* engineFont() {
    const AssetManager* assets = AssetManager::instance();
    Registry<Font>* fonts = assets ? assets->findRegistry<Font>() : nullptr;
    if (!fonts) return nullptr;
    Font* chosen = nullptr;
    uint64_t chosenKey = std::numeric_limits<uint64_t>::max();
    fonts->forEach([&](uint64_t key, Font& font) {
        if (key <= chosenKey) {
            chosenKey = key;
            chosen = &font;
        }
    });
    return chosen;
}

FrameOverlay::~FrameOverlay() {
    if (backdrop != 0) glDeleteTextures(1, &backdrop);
}

void FrameOverlay::toggle() {
    on = !on;
    shownReport = ~0ULL;
    if (FrameRateController* controller = FrameRateController::instance()) controller->setProfiling(on);
}

void FrameOverlay::refresh(uint64_t drawCalls) {
    const FrameRateController* controller = FrameRateController::instance();
    const uint64_t report = controller ? controller->getStats().reportCount() : 0;
    if (report == shownReport) return;
    shownReport = report;
    shown.timing = controller ? controller->getStats().report() : FrameReport{};
    const EntityManager* entities = EntityManager::instance();
    shown.entities = entities ? entities->LivingCount() : 0;
    shown.drawCalls = drawCalls;
    const ParticleSystem* particles = ParticleSystem::active();
    shown.particles = particles ? ParticlePool::kCapacity - particles->pool().freeCount() : 0;
    text = overlayText(shown);
}

void FrameOverlay::draw(UIBatch& batch, Shader& ui, glm::vec2 windowSize, const glm::mat4& screenProjection,
                        uint64_t drawCalls) {
    refresh(drawCalls);
    Text label;
    label.font = engineFont();
    if (!label.font) return;
    label.text = text;
    label.size = kTextSize;
    label.color = kTextColor;
    // A box of no size at the top-left corner: the first baseline lies one line below it.
    UITransform corner;
    corner.anchorMin = corner.anchorMax = {-1.0f, 1.0f};
    corner.position = {kMargin, -kMargin, 0.0f};
    corner.width = corner.height = 0.0f;

    std::vector<PlacedGlyph> glyphs;
    glm::vec2 low(std::numeric_limits<float>::max());
    glm::vec2 high(std::numeric_limits<float>::lowest());
    layoutText(label, corner, windowSize, [&](const Glyph& glyph, const glm::mat4& model) {
        glyphs.push_back({glyph.texture, model});
        for (const glm::vec2 cornerOfQuad : {glm::vec2(-0.5f), glm::vec2(0.5f)}) {
            const glm::vec2 point(model * glm::vec4(cornerOfQuad, 0.0f, 1.0f));
            low = glm::min(low, point);
            high = glm::max(high, point);
        }
    });
    if (glyphs.empty()) return;

    if (backdrop == 0) {
        const uint8_t covered = 255;
        glCreateTextures(GL_TEXTURE_2D, 1, &backdrop);
        glTextureStorage2D(backdrop, 1, GL_R8, 1, 1);
        glTextureSubImage2D(backdrop, 0, 0, 0, 1, 1, GL_RED, GL_UNSIGNED_BYTE, &covered);
    }
    const glm::vec2 centre = 0.5f * (low + high);
    const glm::vec2 size = high - low + 2.0f * kPadding;
    const glm::mat4 backdropModel =
        glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(centre, 0.0f)), glm::vec3(size, 1.0f));

    batch.reset();
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, static_cast<GLsizei>(windowSize.x), static_cast<GLsizei>(windowSize.y));
    ui.use();
    pushUIQuad(batch, backdrop, UIQuadKind::Glyph, kBackdropColor, screenProjection * backdropModel);
    for (const PlacedGlyph& glyph : glyphs)
        pushUIQuad(batch, glyph.texture, UIQuadKind::Glyph, kTextColor, screenProjection * glyph.model);
    batch.flush();
    Shader::unbind();
}

} // namespace Qel
