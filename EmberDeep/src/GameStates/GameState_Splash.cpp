#include "GameStates/GameState_Splash.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/SpriteRenderer.h"
#include "ECS/Components/Text.h"
#include "ECS/Components/UITransform.h"
#include "ECS/EntityManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/SystemManager.h"
#include "GameStates/CommonState.h"
#include "GameStates/GameStateIds.h"
#include "GameStates/SplashSequence.h"
#include "QelCore/Clock.h"
#include "QelCore/FrameRateController.h"
#include "QelCore/GameStateManager.h"
#include "QelCore/Input.h"
#include "QelCore/LogManager.h"
#include "QelCore/QelSystems.h"
#include "QelCore/StrongAssert.h"
#include "QelRenderer/Font.h"
#include "QelRenderer/Texture.h"
#include "QelSceneManager/QelSceneManager.h"
#include "data/AssetManager.h"

#include <utility>

namespace GS_SPLASH {

namespace {

constexpr const char* kFontName = "Roboto-Modified";
constexpr int32_t kLoadingTextSize = 40;
constexpr int32_t kAttributionTextSize = 24;

SplashSequence sequence;
Qel::SteadyClock splashClock;
SplashLogo shownLogo = SplashLogo::Org;

template <class V> V* findAsset(const char* name) {
    Qel::AssetManager* assets = Qel::AssetManager::instance();
    Qel::Registry<V>* registry = assets ? assets->findRegistry<V>() : nullptr;
    return registry ? registry->get(Qel::hashName(name)) : nullptr;
}

Qel::Entity createSplashEntity(const char* name) {
    Qel::EntityManager* entities = Qel::EntityManager::instance();
    const Qel::Entity entity = entities->CreateEntity();
    // At the entity limit CreateEntity has logged already; the components below then report too.
    if (entity == Qel::MAX_ENTITIES) return entity;
    entities->GetInfo(entity)->name = name;
    Qel::sceneEntities.insert(entity);
    return entity;
}

template <class T>
void addSplashComponent(Qel::Entity entity, const char* entityName, const char* componentName, T component) {
    Qel::ComponentManager* components = Qel::ComponentManager::instance();
    // Nothing is stored for an entity that was never created: it would sit in the array for good.
    if (entity != Qel::MAX_ENTITIES) components->AddComponent(entity, std::move(component));
    if (entity == Qel::MAX_ENTITIES || !components->HasComponent<T>(entity)) {
        Qel::logf(Qel::LOG_CRITICAL, "Failed to add %s to %s", componentName, entityName);
        return;
    }
    if (Qel::SystemManager* systems = Qel::SystemManager::instance()) systems->NotifyEntityChanged(entity);
}

template <class T> T* splashComponent(Qel::Entity entity) {
    Qel::ComponentManager* components = Qel::ComponentManager::instance();
    if (!components || entity == Qel::MAX_ENTITIES || !components->HasComponent<T>(entity)) return nullptr;
    return &components->GetComponent<T>(entity);
}

void sizeLogoTo(const Qel::Texture& texture) {
    Qel::UITransform* layout = splashComponent<Qel::UITransform>(splashImageGO);
    if (!layout) {
        Qel::log(Qel::LOG_CRITICAL, "SPLASH OBJ Missing UIX");
        return;
    }
    layout->width = static_cast<float>(texture.width);
    layout->height = static_cast<float>(texture.height);
}

void showLogo(SplashLogo logo) {
    shownLogo = logo;
    const char* name = splashLogoTexture(logo);
    Qel::Texture* texture = findAsset<Qel::Texture>(name);
    if (!texture) Qel::logf(Qel::LOG_HIGH, "Splash logo texture \"%s\" is not loaded", name);
    if (Qel::SpriteRenderer* sprite = splashComponent<Qel::SpriteRenderer>(splashImageGO))
        sprite->texture = texture;
    if (texture) sizeLogoTo(*texture);
}

void setLine(Qel::Entity entity, const std::string& text) {
    if (Qel::Text* line = splashComponent<Qel::Text>(entity)) line->text = text;
}

Qel::UITransform centredBox(float y, float width, float height, int32_t layer) {
    Qel::UITransform box;
    box.position = {0.0f, y, 0.0f};
    box.width = width;
    box.height = height;
    box.layer = layer;
    return box;
}

Qel::Text line(const char* text, int32_t size) {
    Qel::Text component;
    component.text = text;
    component.size = size;
    component.font = findAsset<Qel::Font>(kFontName);
    component.alignment = Qel::Text::Centre;
    return component;
}

/// The frame loop's time, which a replay repeats; the steady clock for a splash run without it.
uint64_t splashNow() {
    Qel::FrameRateController* timing = Qel::FrameRateController::instance();
    return timing ? timing->now() : splashClock.now();
}

bool loadingComplete() {
    Qel::Systems* systems = Qel::Systems::instance();
    return !systems || systems->pollLoading();
}

} // namespace

void init() {
    Qel::SceneManager* scenes = Qel::SceneManager::instance();
    if (!scenes || !scenes->setNextScene("../Assets/Scenes/MainMenu.json"))
        QEL_STRONG_ASSERT("Main Menu scene does not exist!");
    GS_COMMON::startScene({0.0f, 0.0f, 0.0f, 1.0f});
    initGSData();
}

// Layout in the 2560 x 1440 reference space, origin at the screen centre: the logo a little above
// the centre, the loading line below it, the attribution along the bottom edge.
void initGSData() {
    QEL_ASSERT(Qel::EntityManager::instance() && Qel::ComponentManager::instance(),
               "Splash needs the EntityManager and ComponentManager");
    splashImageGO = createSplashEntity("splashImageGO");
    splashTextGO = createSplashEntity("splashTextGO");
    splashCopyrightGO = createSplashEntity("splashCopyrightGO");
    if (!Qel::AssetManager::instance()) QEL_STRONG_ASSERT("Bad Asset Manager instance");

    addSplashComponent(splashImageGO, "splashImageGO", "UITransform", centredBox(120.0f, 100.0f, 100.0f, 0));
    addSplashComponent(splashImageGO, "splashImageGO", "SpriteRenderer", Qel::SpriteRenderer{});
    showLogo(SplashLogo::Org);

    addSplashComponent(splashTextGO, "splashTextGO", "UITransform", centredBox(-440.0f, 1600.0f, 240.0f, 1));
    addSplashComponent(splashTextGO, "splashTextGO", "Text", line("Loading", kLoadingTextSize));

    addSplashComponent(splashCopyrightGO, "splashCopyrightGO", "UITransform",
                       centredBox(-660.0f, 2400.0f, 60.0f, 1));
    addSplashComponent(splashCopyrightGO, "splashCopyrightGO", "Text",
                       line(kMakersNotice, kAttributionTextSize));

    if (Qel::SceneManager* scenes = Qel::SceneManager::instance()) {
        for (Qel::Entity entity : {splashImageGO, splashTextGO, splashCopyrightGO})
            if (entity != Qel::MAX_ENTITIES) scenes->drawLists.addUI(entity);
    }
    sequence.start(splashNow());
}

void update() {
    const SplashSequence::Frame frame =
        sequence.advance(splashNow(), Qel::isAnyKeyTriggered(), loadingComplete);
    if (frame.loadingLine) setLine(splashTextGO, *frame.loadingLine);
    if (Qel::SpriteRenderer* sprite = splashComponent<Qel::SpriteRenderer>(splashImageGO))
        sprite->color.a = frame.logoAlpha;
    if (frame.logo != SplashLogo::Hidden && frame.logo != shownLogo) {
        showLogo(frame.logo);
        if (frame.logo == SplashLogo::Audio) setLine(splashCopyrightGO, kAudioAttribution);
    }
    if (frame.handOver) Qel::setNextGameState(gsSceneId);
    if (frame.finished) return;
    GS_COMMON::updateSystems();
}

} // namespace GS_SPLASH
