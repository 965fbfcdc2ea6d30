#include "QelRenderer/GraphicsEngine.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/ModelMatrix.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Transform.h"
#include "ECS/EntityManager.h"
#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/ParticleSystem.h"
#include "Physics/Collider2D.h"
#include "Physics/ColliderPtr.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/LogManager.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/CameraMath.h"
#include "QelRenderer/CameraState.h"
#include "QelRenderer/FrameResources.h"
#include "QelRenderer/LightSystem.h"
#include "QelRenderer/Mesh.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/Shadows.h"
#include "QelRenderer/SpriteInstances.h"
#include "QelRenderer/Texture.h"
#include "QelRenderer/UIPass.h"
#include "QelSceneManager/NodeManager.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"
#include "data/NameHash.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_precision.hpp>
#include <glm/matrix.hpp>

#include <algorithm>

namespace Qel {

namespace {

constexpr int kBloomIterations = 10;
constexpr int kBloomSourceUnit = 7;
constexpr int kSceneColorUnit = 3;
constexpr int kBloomResultUnit = 4;
constexpr int kLUTUnit = 5;
constexpr glm::vec3 kColliderOutlineColor{0.0f, 1.0f, 0.0f};
constexpr glm::vec3 kNavigationCellColor{0.4f, 0.1f, 0.1f};

glm::vec4 currentClearColor() {
    glm::vec4 color;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, &color.x);
    return color;
}

/// NDC depth of the draw at place (of places) in the scene's depth buffer: later places nearer.
/// There are never more places than entities, which 16 bits of depth tell apart.
static_assert(MAX_ENTITIES < (1u << 15));
float drawDepth(size_t place, size_t places) {
    return 1.0f - 2.0f * static_cast<float>(place + 1) / static_cast<float>(places + 1);
}

float areaInView(const Transform& transform, glm::vec2 halfExtents) {
    return Qel::areaInView(glm::vec2(transform.position), glm::vec2(transform.scale), transform.rotation,
                           cameraState().position, halfExtents);
}

/// Makes program the one batch draws with, drawing what is queued for the one bound before.
void switchProgram(SpriteBatch& batch, const Shader* program, const Shader*& bound) {
    if (program == bound) return;
    batch.flush();
    program->use();
    bound = program;
}

void drawFullScreenQuad(const Mesh& quad) {
    glBindVertexArray(quad.vao);
    glDrawElements(quad.primitive, static_cast<GLsizei>(quad.indexCount), GL_UNSIGNED_SHORT, nullptr);
    glBindVertexArray(0);
}

} // namespace

void GraphicsEngine::collectVisible(const std::vector<Entity>& layerOrdered, glm::vec2 halfExtents) {
    EntityManager* entities = EntityManager::instance();
    ComponentManager* components = ComponentManager::instance();
    const glm::vec2 camera = cameraState().position;
    for (Entity entity : layerOrdered) {
        if (entities->IsDisabled(entity)) continue;
        const SpriteRenderer& sprite = components->GetComponent<SpriteRenderer>(entity);
        if (!sprite.texture) continue;
        const Transform& transform = components->GetComponent<Transform>(entity);
        if (isInView(glm::vec2(transform.position), glm::vec2(transform.scale), camera, halfExtents))
            frame->visible.push_back(entity);
    }
}

void GraphicsEngine::uploadLights(glm::vec2 halfExtents) {
    std::shared_ptr<LightSystem> lightSystem;
    if (SystemManager* systems = SystemManager::instance()) lightSystem = systems->GetSystem<LightSystem>();
    frame->lights =
        lightSystem ? packLights(lightSystem->lights(), cameraState().position, halfExtents) : LightBuffer{};
    glBindBuffer(GL_UNIFORM_BUFFER, lightUBO);
    glBufferSubData(GL_UNIFORM_BUFFER, 0, kLightBufferBytes, frame->lights.lights.data());
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
}

void GraphicsEngine::drawLightMap(glm::ivec2 windowSize, const glm::mat4& worldToNDC) {
    Shader& lightMap = *frame->lightMap;
    const glm::ivec2 mapSize = targets.lightMapSize();
    // A light map pixel centre is the centre of the window pixels it stands for; from there to
    // NDC, then back through the camera to the world.
    // (A minimised window reports 0 x 0: nothing shows then, but the maths stays finite.)
    const glm::vec2 mapPixelToNDC =
        2.0f * static_cast<float>(RenderTargets::kLightMapShrink) / glm::vec2(glm::max(windowSize, 1));
    const glm::mat4 mapToNDC = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(-1.0f, -1.0f, 0.0f)),
                                          glm::vec3(mapPixelToNDC, 1.0f));
    glBindFramebuffer(GL_FRAMEBUFFER, targets.lightMapFBO);
    glViewport(0, 0, mapSize.x, mapSize.y);
    glDisable(GL_BLEND);
    lightMap.use();
    lightMap.setInt("uLightCount", static_cast<int>(frame->lights.count));
    lightMap.setMat4("uMapToWorld", glm::inverse(worldToNDC) * mapToNDC);
    drawFullScreenQuad(*frame->quad);
    glEnable(GL_BLEND);
    glViewport(0, 0, windowSize.x, windowSize.y);
    glBindFramebuffer(GL_FRAMEBUFFER, targets.sceneFBO);
    // Window pixel to light map texture coordinates, for the lit programs.
    const glm::vec2 windowToMapUV = 1.0f / glm::vec2(mapSize * RenderTargets::kLightMapShrink);
    for (Shader* lit : {frame->sprite, frame->glowingSprite}) {
        lit->use();
        lit->setVec2("uLightMapScale", windowToMapUV);
    }
    glBindTextureUnit(kLightMapUnit, targets.lightMap);
}

void GraphicsEngine::drawSpritePass(bool receivers, const glm::mat4& worldToNDC, glm::vec2 halfExtents) {
    ComponentManager* components = ComponentManager::instance();
    const std::vector<Entity>& visible = frame->visible;
    const auto inPass = [&](size_t i) -> const SpriteRenderer* {
        const SpriteRenderer& sprite = components->GetComponent<SpriteRenderer>(visible[i]);
        return sprite.isRecieveShadow == receivers ? &sprite : nullptr;
    };
    const Shader* bound = nullptr;
    const auto queue = [&](size_t i, const SpriteRenderer& sprite) {
        // Only glowing sprites pay for the emission sample.
        switchProgram(*frame->spriteBatch, sprite.emission ? frame->glowingSprite : frame->sprite, bound);
        // A sprite's depth is its place in layer order, the later the nearer.
        pushSprite(*frame->spriteBatch, sprite, components->GetComponent<Transform>(visible[i]), worldToNDC,
                   drawDepth(i, visible.size()));
    };

    if (!depthPays(receivers, halfExtents)) {
        for (size_t i = 0; i < visible.size(); ++i)
            if (const SpriteRenderer* sprite = inPass(i)) queue(i, *sprite);
        frame->spriteBatch->flush();
        return;
    }

    // Opaque sprites first, nearest first: the depth test skips shading what they hide, and each
    // pixel keeps the sprite drawn last, as painting them in order would.
    glBindFramebuffer(GL_FRAMEBUFFER, targets.sceneDepthFBO);
    const float farthest = 1.0f;
    glClearBufferfv(GL_DEPTH, 0, &farthest);
    glEnable(GL_DEPTH_TEST);
    for (size_t i = visible.size(); i-- > 0;)
        if (const SpriteRenderer* sprite = inPass(i); sprite && isOpaque(*sprite)) queue(i, *sprite);
    frame->spriteBatch->flush();
    // Then the others in order, blended over what lies beneath them unless an opaque sprite drawn
    // after them hides it.
    glDepthMask(GL_FALSE);
    for (size_t i = 0; i < visible.size(); ++i)
        if (const SpriteRenderer* sprite = inPass(i); sprite && !isOpaque(*sprite)) queue(i, *sprite);
    frame->spriteBatch->flush();
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, targets.sceneFBO);
}

bool GraphicsEngine::depthPays(bool receivers, glm::vec2 halfExtents) const {
    // Depth testing costs a software rasteriser a quarter to a third of shading for every
    // fragment. It pays where opaque sprites must hide a third of their own area or more: when
    // their area in view adds up to over one and a half views (a floor of tiles does not).
    ComponentManager* components = ComponentManager::instance();
    float opaqueArea = 0.0f;
    for (Entity entity : frame->visible) {
        const SpriteRenderer& sprite = components->GetComponent<SpriteRenderer>(entity);
        if (sprite.isRecieveShadow == receivers && isOpaque(sprite))
            opaqueArea += areaInView(components->GetComponent<Transform>(entity), halfExtents);
    }
    return opaqueArea > 1.5f * 4.0f * halfExtents.x * halfExtents.y;
}

void GraphicsEngine::drawShadowPass(const glm::mat4& worldToNDC) {
    ComponentManager* components = ComponentManager::instance();
    const Shader* bound = nullptr;
    for (uint32_t i = 0; i < frame->lights.count; ++i) {
        const PackedLight& light = frame->lights.lights[i];
        if (light.intensity() == 0.0f) continue;
        for (Entity entity : frame->visible) {
            const SpriteRenderer& sprite = components->GetComponent<SpriteRenderer>(entity);
            if (!sprite.isCastShadow || !sprite.texture) continue;
            const Transform& transform = components->GetComponent<Transform>(entity);
            const std::optional<ShadowQuad> shadow = shadowFor(light, transform.position, transform.scale);
            if (!shadow) continue;
            // An opaque caster's silhouette is its whole quad: its shadow needs no texture sample.
            switchProgram(*frame->spriteBatch,
                          sprite.texture->opaque ? frame->solidShadowSprite : frame->shadowSprite, bound);
            pushShadow(*frame->spriteBatch, sprite, shadow->position, shadow->size, shadow->alpha, worldToNDC);
        }
    }
    frame->spriteBatch->flush();
}

void GraphicsEngine::drawBloom(glm::ivec2 windowSize) {
    // With no sprite drawn the bright target is black and so is its blur; the composite still
    // reads the blur's result, which then adds nothing.
    if (frame->visible.empty() || !canDrawWith(frame->bloom, "bloom") ||
        !canDrawWith(frame->shrinkingBloom, "bloomShrinking")) {
        targets.clearBloomResult();
        return;
    }
    targets.markBloomResultWritten();
    const glm::ivec2 region = targets.bloomSize();
    glViewport(0, 0, region.x, region.y);
    bool horizontal = false;
    for (int i = 0; i < kBloomIterations; ++i) {
        const bool first = i == 0;
        Shader& bloom = first ? *frame->shrinkingBloom : *frame->bloom;
        bloom.use();
        glBindFramebuffer(GL_FRAMEBUFFER, targets.pingpongFBO[horizontal]);
        bloom.setBool("uIsHorizontal", horizontal);
        bloom.setVec2("uSourceRegion", first ? glm::vec2(1.0f) : targets.bloomRegion());
        glBindTextureUnit(kBloomSourceUnit, first ? targets.sceneBright : targets.pingpongTex[!horizontal]);
        bloom.setInt("uTexture2D", kBloomSourceUnit);
        drawFullScreenQuad(*frame->quad);
        horizontal = !horizontal;
    }
    // Sprite programs sample every unit of their array while drawing into these targets.
    glBindTextureUnit(kBloomSourceUnit, 0);
    glViewport(0, 0, windowSize.x, windowSize.y);
    Shader::unbind();
}

void GraphicsEngine::drawComposite() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const Texture* lut = activeLUT();
    Shader* program = lut ? frame->gradedPostPro : frame->postPro;
    // The composite covers the whole window opaquely; without it the window is only cleared.
    if (!canDrawWith(program, lut ? "postProGraded" : "postPro")) {
        glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    Shader& composite = *program;
    composite.use();
    glBindTextureUnit(kSceneColorUnit, targets.sceneColor);
    glBindTextureUnit(kBloomResultUnit, targets.pingpongTex[1]);
    composite.setInt("uTexture2D", kSceneColorUnit);
    composite.setInt("uBloomTexture", kBloomResultUnit);
    composite.setVec2("uBloomRegion", targets.bloomRegion());
    if (lut) {
        composite.setInt("uLUT16", kLUTUnit);
        glBindTextureUnit(kLUTUnit, lut->id);
    }
    drawFullScreenQuad(*frame->quad);
    // Sprite programs sample every unit of their array while drawing into these targets.
    for (const int unit : {kSceneColorUnit, kBloomResultUnit, kLUTUnit})
        glBindTextureUnit(unit, 0);
    Shader::unbind();
}

bool GraphicsEngine::fillPlainComposite() {
    // A colour table could change without the clear colour doing so: those frames composite.
    const PlainComposite& plain = plainComposite;
    const uint32_t program = frame->postPro ? frame->postPro->programID : 0;
    const glm::vec4 clearColor = currentClearColor();
    if (!frame->visible.empty() || !plain.known || activeLUT() || plain.clearColor != clearColor ||
        plain.program != program)
        return false;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(plain.shown.r, plain.shown.g, plain.shown.b, plain.shown.a);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColor.r, clearColor.g, clearColor.b, clearColor.a);
    return true;
}

void GraphicsEngine::rememberPlainComposite() {
    PlainComposite& plain = plainComposite;
    // A minimised window has no pixel to read.
    const glm::vec2 windowSize = currentWindowSize();
    plain.known = frame->visible.empty() && !activeLUT() && windowSize.x >= 1.0f && windowSize.y >= 1.0f;
    if (!plain.known) return;
    plain.clearColor = currentClearColor();
    plain.program = frame->postPro ? frame->postPro->programID : 0;
    // The window is 8 bits a channel: the byte read back is exactly what a clear to it writes.
    glm::u8vec4 pixel;
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel.x);
    plain.shown = glm::vec4(pixel) / 255.0f;
}

const Texture* GraphicsEngine::activeLUT() const {
    const SceneManager* scenes = SceneManager::instance();
    if (!scenes || !scenes->lighting.isLUT || scenes->lighting.lutName.empty()) return nullptr;
    const AssetManager* assets = AssetManager::instance();
    Registry<Texture>* textures = assets ? assets->findRegistry<Texture>() : nullptr;
    return textures ? textures->get(hashName(scenes->lighting.lutName)) : nullptr;
}

void GraphicsEngine::drawLightMasks(const glm::mat4& worldToNDC) {
    if (!canDrawWith(frame->unlitSprite, "spriteUnlit")) return;
    ComponentManager* components = ComponentManager::instance();
    frame->unlitSprite->use();
    for (Entity entity : frame->visible) {
        const SpriteRenderer& sprite = components->GetComponent<SpriteRenderer>(entity);
        if (!sprite.lightMask) continue;
        pushLightMask(*frame->spriteBatch, sprite, components->GetComponent<Transform>(entity), worldToNDC);
    }
    frame->spriteBatch->flush();
    Shader::unbind();
}

void GraphicsEngine::queueColliderOutlines(const glm::mat4& worldToNDC) {
    const SceneManager* scenes = SceneManager::instance();
    EntityManager* entities = EntityManager::instance();
    ComponentManager* components = ComponentManager::instance();
    if (!scenes) return;
    for (const EntityHandle& handle : scenes->drawLists.worldEntities()) {
        const Entity entity = handle.first;
        if (!entities->Exists(entity) || entities->IsDisabled(entity)) continue;
        if (!components->HasComponent<ColliderPtr>(entity) || !components->HasComponent<Transform>(entity))
            continue;
        const Collider2D* shape = components->GetComponent<ColliderPtr>(entity).collider.get();
        if (!shape || shape->getType() == ColliderType::Circle) continue;
        const Transform& transform = components->GetComponent<Transform>(entity);
        // The physics step places shapes; the overlay places a copy itself so outlines show
        // where the shape will be even before the first step.
        std::unique_ptr<Collider2D> placed = shape->clone();
        placed->update(glm::vec2(transform.position), transform.rotation);
        const glm::mat4 model =
            glm::rotate(glm::translate(glm::mat4(1.0f), glm::vec3(placed->position, 0.0f)),
                        transform.rotation * kDegreesToRadians, glm::vec3(0.0f, 0.0f, 1.0f));
        overlayQueue.push_back(
            {worldToNDC * glm::scale(model, glm::vec3(placed->scale, 1.0f)), kColliderOutlineColor});
    }
}

void GraphicsEngine::queueNavigationCells() {
    const NodeManager* nodes = NodeManager::instance();
    if (!nodes) return;
    const NavGrid& grid = nodes->grid;
    // Boxes sit on the cells the path search uses: a world point p lies in cell p - origin.
    for (const GridNode& cell : grid.cells)
        debugBox(grid.centreOf({cell.x, cell.y}), glm::vec2(1.0f), 0.0f, kNavigationCellColor);
}

void GraphicsEngine::drawDebugShapes(std::vector<DebugShape>& shapes) {
    for (const DebugShape& shape : shapes) {
        frame->debug->setModelToNDC(shape.modelToNDC);
        frame->debug->setVec3("uColor", shape.color);
        glBindVertexArray(frame->squareDebug->vao);
        glDrawElements(frame->squareDebug->primitive, static_cast<GLsizei>(frame->squareDebug->indexCount),
                       GL_UNSIGNED_SHORT, nullptr);
    }
    glBindVertexArray(0);
    shapes.clear();
}

void GraphicsEngine::drawDebugOverlay(const glm::mat4& worldToNDC) {
    if (!canDrawWith(frame->debug, "debug")) {
        overlayQueue.clear();
        boxQueue.clear();
        return;
    }
    frame->debug->use();
    if (debugDraw) {
        queueColliderOutlines(worldToNDC);
        drawDebugShapes(overlayQueue);
        queueNavigationCells();
    }
    overlayQueue.clear();
    drawDebugShapes(boxQueue);
    Shader::unbind();
}

bool GraphicsEngine::canDrawLitScene() {
    for (const auto& [program, name] : {std::pair{frame->lightMap, "lightMap"},
                                        {frame->sprite, "sprite"},
                                        {frame->glowingSprite, "spriteGlowing"},
                                        {frame->shadowSprite, "spriteShadow"},
                                        {frame->solidShadowSprite, "spriteShadowSolid"}})
        if (!canDrawWith(program, name)) return false;
    return true;
}

bool GraphicsEngine::canDrawWith(const Shader* program, const std::string& name) {
    if (program && program->isLinked) return true;
    if (std::find(frame->skippedPrograms.begin(), frame->skippedPrograms.end(), name) ==
        frame->skippedPrograms.end()) {
        frame->skippedPrograms.push_back(name);
        logf(LOG_CRITICAL, "shader %s did not build: its passes are skipped", name.c_str());
    }
    return false;
}

void GraphicsEngine::drawParticles(const glm::mat4& worldToNDC, glm::vec2 windowSize) {
    if (!frame->quad || !frame->spriteBatch || !frame->unlitSprite)
        QEL_STRONG_ASSERT("ParticleSystem can't draw stuff");
    ParticleSystem* particles = ParticleSystem::active();
    if (!particles || !canDrawWith(frame->unlitSprite, "spriteUnlit")) return;
    const CameraState& camera = cameraState();
    frame->unlitSprite->use();
    particles->Draw(*frame->spriteBatch, worldToNDC, windowSize, camera.position, camera.zoom);
    Shader::unbind();
}

void GraphicsEngine::drawScene(glm::ivec2 windowSize, const glm::mat4& worldToNDC, glm::vec2 halfExtents) {
    targets.beginFrame(windowSize);
    if (canDrawLitScene()) {
        drawLightMap(windowSize, worldToNDC);
        drawSpritePass(true, worldToNDC, halfExtents);
        drawShadowPass(worldToNDC);
        drawSpritePass(false, worldToNDC, halfExtents);
        glBindTextureUnit(kLightMapUnit, 0);
        Shader::unbind();
    }
    // The blur and the composite cover every pixel opaquely: blending would only cost time.
    glDisable(GL_BLEND);
    drawBloom(windowSize);
    drawComposite();
}

void GraphicsEngine::Draw(const std::vector<Entity>& layerOrdered) {
    if (!frame->spriteBatch) {
        log(LOG_CRITICAL, "Draw before the renderer was loaded");
        return;
    }
    const DrawPhase drawing;
    const uint64_t batchDrawsBefore = frame->spriteBatch->drawCalls + frame->uiBatch->drawCalls;
    const glm::vec2 windowSize = currentWindowSize();
    const CameraState& camera = cameraState();
    const glm::vec2 halfExtents = cullingHalfExtents(windowSize, camera.zoom);
    const glm::mat4 worldToNDC = camera.projection * camera.view;

    collectVisible(layerOrdered, halfExtents);
    uploadLights(halfExtents);
    glViewport(0, 0, static_cast<GLsizei>(windowSize.x), static_cast<GLsizei>(windowSize.y));
    if (!fillPlainComposite()) {
        drawScene(glm::ivec2(windowSize), worldToNDC, halfExtents);
        rememberPlainComposite();
    }
    glEnable(GL_BLEND);
    drawLightMasks(worldToNDC);
    drawParticles(worldToNDC, windowSize);
    SceneManager* scenes = SceneManager::instance();
    if (scenes && canDrawWith(frame->ui, "ui"))
        drawUI(scenes->drawLists.uiEntries(), *frame->uiBatch, *frame->ui, windowSize,
               camera.screenProjection);
    drawDebugOverlay(worldToNDC);
    spritesDrawn = frame->visible.size();
    drawCalls = frame->spriteBatch->drawCalls + frame->uiBatch->drawCalls - batchDrawsBefore;
    frame->visible.clear();
}

} // namespace Qel
