#include "QelRenderer/GraphicsEngine.h"

#include "QelCore/LogManager.h"
#include "QelRenderer/BuiltInMeshes.h"
#include "QelRenderer/Font.h"
#include "QelRenderer/FrameResources.h"
#include "QelRenderer/Mesh.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/Texture.h"
#include "data/AssetManager.h"
#include "data/DirectoryLoader.h"

#include <GL/glew.h>

#include <numeric>
#include <string>
#include <string_view>
#include <vector>

namespace Qel {

namespace {

void loadMeshes(AssetManager& assets) {
    for (const BuiltInMesh& mesh : kBuiltInMeshes)
        assets.load<Mesh>(mesh.name, std::string("../Assets/Meshes/") + mesh.file);
}

/// Builds the program name from "../Assets/Shaders/<vertex>.vert" and "<fragment>.frag" with
/// defines; a build problem is logged.
void loadShader(AssetManager& assets, const char* name, const std::string& vertex,
                const std::string& fragment, std::string_view defines = {}) {
    const std::string folder = "../Assets/Shaders/";
    const std::string vertexPath = folder + vertex + ".vert", fragmentPath = folder + fragment + ".frag";
    assets.load<Shader>(
        name,
        Shader::StageList{{GL_VERTEX_SHADER, vertexPath.c_str()}, {GL_FRAGMENT_SHADER, fragmentPath.c_str()}},
        defines);
    const Shader* shader = assets.findRegistry<Shader>()->get(hashName(name));
    if (shader && !shader->log.empty()) logf(LOG_CRITICAL, "shader %s: %s", name, shader->log.c_str());
}

void loadShaders(AssetManager& assets) {
    loadShader(assets, "debug", "Debug", "Debug");
    loadShader(assets, "sprite", "Sprite", "Sprite", "#define LIT\n");
    loadShader(assets, "spriteGlowing", "Sprite", "Sprite", "#define LIT\n#define GLOWING\n");
    loadShader(assets, "spriteShadow", "Sprite", "Sprite", "#define SHADOW\n");
    loadShader(assets, "spriteShadowSolid", "Sprite", "Sprite", "#define SHADOW\n#define SOLID\n");
    loadShader(assets, "spriteUnlit", "Sprite", "Sprite");
    loadShader(assets, "postPro", "PostProComposite", "PostProComposite");
    loadShader(assets, "postProGraded", "PostProComposite", "PostProComposite", "#define GRADED\n");
    loadShader(assets, "bloom", "bloom", "bloom");
    loadShader(assets, "bloomShrinking", "bloom", "bloom", "#define SHRINKING\n");
    // A full-target pass, drawn with the blur's vertex stage.
    loadShader(assets, "lightMap", "bloom", "LightMap");
    loadShader(assets, "font", "Font", "Font");
    loadShader(assets, "ui", "UI", "UI");
}

/// Points the sampler array of a batched program at the units its batch hands out, once, so
/// instances only carry a unit number.
void bindSamplerArray(Shader& shader, uint32_t unitCount) {
    // A program that did not build cannot be bound; the passes skip it.
    if (!shader.isLinked) return;
    std::vector<int> units(unitCount);
    std::iota(units.begin(), units.end(), 0);
    shader.use();
    shader.setTextureUnits(static_cast<int>(units.size()), units.data());
    Shader::unbind();
}

void loadFonts(AssetManager& assets) {
    loadDirectory("../Assets/Fonts", {".ttf"}, [&assets](const std::string& name, const std::string& path) {
        if (!assets.load<Font>(name, path.c_str())) logf(LOG_MED, "ignored duplicate: %s", name.c_str());
        return true;
    });
}

} // namespace

void GraphicsEngine::Load() {
    subscribeTextureRequests();
    AssetManager* assets = AssetManager::instance();
    if (!assets) QEL_STRONG_ASSERT("AssetManager not ready!");

    // Synchronous so the splash can draw its logos before the loading workers finish.
    loadTextureFolder("../Assets/Splash", TextureUpload::Immediate);
    loadMeshes(*assets);
    loadShaders(*assets);

    Registry<Shader>* shaders = assets->findRegistry<Shader>();
    frame->lightMap = shaders->get(hashName("lightMap"));
    frame->sprite = shaders->get(hashName("sprite"));
    frame->glowingSprite = shaders->get(hashName("spriteGlowing"));
    frame->shadowSprite = shaders->get(hashName("spriteShadow"));
    frame->solidShadowSprite = shaders->get(hashName("spriteShadowSolid"));
    frame->unlitSprite = shaders->get(hashName("spriteUnlit"));
    frame->ui = shaders->get(hashName("ui"));
    frame->debug = shaders->get(hashName("debug"));
    frame->bloom = shaders->get(hashName("bloom"));
    frame->shrinkingBloom = shaders->get(hashName("bloomShrinking"));
    frame->postPro = shaders->get(hashName("postPro"));
    frame->gradedPostPro = shaders->get(hashName("postProGraded"));

    Registry<Mesh>* meshes = assets->findRegistry<Mesh>();
    frame->quad = meshes->get(hashName("quad"));
    frame->squareDebug = meshes->get(hashName("squareDebug"));
    assets->load<SpriteBatch>("quadVBO", *frame->quad, kSpriteBatchCapacity);
    assets->load<UIBatch>("uiVBO", *meshes->get(hashName("UIQuad")), kUIBatchCapacity);
    frame->spriteBatch = assets->findRegistry<SpriteBatch>()->get(hashName("quadVBO"));
    frame->uiBatch = assets->findRegistry<UIBatch>()->get(hashName("uiVBO"));
    frame->spriteBatch->SetupAttributes(SpriteVertex::attributes, false);
    frame->uiBatch->SetupAttributes(UIVertex::attributes, false);
    for (Shader* sprites : {frame->sprite, frame->glowingSprite, frame->shadowSprite, frame->unlitSprite})
        bindSamplerArray(*sprites, frame->spriteBatch->maxSlots);
    bindSamplerArray(*frame->ui, frame->uiBatch->maxSlots);
    for (Shader* lit : {frame->sprite, frame->glowingSprite}) {
        if (!lit->isLinked) continue;
        lit->use();
        lit->setInt("uLightMap", kLightMapUnit);
    }
    Shader::unbind();
    setAmbient(glm::vec4(1.0f));

    glGenBuffers(1, &lightUBO);
    glBindBuffer(GL_UNIFORM_BUFFER, lightUBO);
    glBufferData(GL_UNIFORM_BUFFER, kLightBufferBytes, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glBindBufferRange(GL_UNIFORM_BUFFER, 0, lightUBO, 0, kLightBufferBytes);

    loadFonts(*assets);
}

} // namespace Qel
