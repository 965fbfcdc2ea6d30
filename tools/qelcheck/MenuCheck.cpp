#include "CheckKinds.h"

#include "ECS/ComponentManager.h"
#include "ECS/Components/Button.h"
#include "ECS/EntityManager.h"
#include "ECS/SceneEntities.h"
#include "ECS/System/Systems/MainMenuManager.h"
#include "ECS/System/Systems/MenuEntities.h"
#include "ECS/System/Systems/PauseMenuManager.h"

#include <algorithm>
#include <vector>

namespace Qel::Check {

namespace {

using Slots = std::span<const char* const>;

/// The file the engine opens as `enginePath` ("../Assets/..."), as reports show it.
std::string shownPath(const char* enginePath) {
    return std::filesystem::path(enginePath).lexically_relative("../Assets").generic_string();
}

/// The names the menus bind in `shown`, as they bind them.
std::vector<Slots> slotsOf(const std::string& shown) {
    if (shown == shownPath(PauseMenuManager::kMenuFile))
        return {PauseMenuManager::kSlotNames, SettingsView::kNames};
    if (shown == shownPath(MainMenuManager::kSettingsFile)) return {SettingsView::kNames};
    if (shown == shownPath(MainMenuManager::kTitleScene)) return {MainMenuManager::kSlotNames};
    return {};
}

} // namespace

void checkMenuEntities(CheckContext& context, const std::filesystem::path& file,
                       std::span<const Entity> built) {
    EntityManager& entities = *EntityManager::instance();
    ComponentManager& components = *ComponentManager::instance();
    std::set<std::string> handled;
    for (const auto& names : {PauseMenuManager::messageNames(), MainMenuManager::messageNames()})
        handled.insert(names.begin(), names.end());

    std::vector<Entity> sorted(built.begin(), built.end());
    std::sort(sorted.begin(), sorted.end());
    std::multiset<std::string> names;
    for (Entity entity : sorted) {
        const std::string& name = entities.GetInfo(entity)->name;
        names.insert(name);
        if (!components.HasComponent<Button>(entity)) continue;
        const std::string& message = components.GetComponent<Button>(entity).OnClick;
        if (!handled.contains(message))
            context.report(file, "",
                           "the button \"" + name + "\" sends \"" + message +
                               "\", which no menu takes; expected one of the menus' messages");
    }
    for (const Slots& slots : slotsOf(context.shown(file))) {
        for (const char* slot : slots) {
            const size_t count = names.count(slot);
            if (count != 1)
                context.report(file, "",
                               std::to_string(count) + " entities are named \"" + slot +
                                   "\", expected exactly one: the menu binds it by that name");
        }
    }
}

// Menu data files (the pause menu and the settings panel), built as the menus build them.
void checkMenus(CheckContext& context) {
    for (const auto& file : context.files("PauseData", {".json"})) {
        MenuEntities menu;
        context.read(file, [&] { menu.open(file); });
        checkMenuEntities(context, file, menu.entities());
        menu.forget();
        DestroyAllSceneEntities();
    }
}

} // namespace Qel::Check
