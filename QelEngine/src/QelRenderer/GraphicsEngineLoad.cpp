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

void loadShader(AssetManager& assets, const char* name, const char* vertexPath, const char* fragmentPath,
                std::string_view defines = {}) {
    assets.load<Shader>(
        name, Shader::StageList{{GL_VERTEX_SHADER, vertexPath}, {GL_FRAGMENT_SHADER, fragmentPath}}, defines);
    const Shader* shader = assets.findRegistry<Shader>()->get(hashName(name));
    if (shader && !shader->log.empty()) logf(LOG_CRITICAL, "shader %s: %s", name, shader->log.c_str());
}

void loadShaders(AssetManager& assets) {
    loadShader(assets, "debug", "../Assets/Shaders/Debug.vert", "../Assets/Shaders/Debug.frag");
    constexpr const char* kSpriteVert = "../Assets/Shaders/Sprite.vert";
    constexpr const char* kSpriteFrag = "../Assets/Shaders/Sprite.frag";
    loadShader(assets, "sprite", kSpriteVert, kSpriteFrag, "#define LIT\n");
    loadShader(assets, "spriteGlowing", kSpriteVert, kSpriteFrag, "#define LIT\n#define GLOWING\n");
    loadShader(assets, "spriteShadow", kSpriteVert, kSpriteFrag, "#define SHADOW\n");
    loadShader(assets, "spriteUnlit", kSpriteVert, kSpriteFrag);
    constexpr const char* kCompositeVert = "../Assets/Shaders/PostProComposite.vert";
    constexpr const char* kCompositeFrag = "../Assets/Shaders/PostProComposite.frag";
    loadShader(assets, "postPro", kCompositeVert, kCompositeFrag);
    loadShader(assets, "postProGraded", kCompositeVert, kCompositeFrag, "#define GRADED\n");
    loadShader(assets, "bloom", "../Assets/Shaders/bloom.vert", "../Assets/Shaders/bloom.frag");
    loadShader(assets, "bloomShrinking", "../Assets/Shaders/bloom.vert", "../Assets/Shaders/bloom.frag",
               "#define SHRINKING\n");
    loadShader(assets, "lightMap", "../Assets/Shaders/bloom.vert", "../Assets/Shaders/LightMap.frag");
    loadShader(assets, "font", "../Assets/Shaders/Font.vert", "../Assets/Shaders/Font.frag");
    loadShader(assets, "ui", "../Assets/Shaders/UI.vert", "../Assets/Shaders/UI.frag");
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
    setAmbient(glm::vec4(1.0f));

    glGenBuffers(1, &lightUBO);
    glBindBuffer(GL_UNIFORM_BUFFER, lightUBO);
    glBufferData(GL_UNIFORM_BUFFER, kLightBufferBytes, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glBindBufferRange(GL_UNIFORM_BUFFER, 0, lightUBO, 0, kLightBufferBytes);

    loadFonts(*assets);
}

} // namespace Qel
