#include "ECS/System/RegisterSystems.h"

#include "ECS/System/SystemManager.h"
#include "ECS/System/Systems/AnimationSystem.h"
#include "ECS/System/Systems/ButtonSystem.h"
#include "ECS/System/Systems/DialogueSystem.h"
#include "ECS/System/Systems/EnemySystem.h"
#include "ECS/System/Systems/GOScriptSystem.h"
#include "ECS/System/Systems/MainMenuManager.h"
#include "ECS/System/Systems/PauseMenuManager.h"
#include "ECS/System/Systems/ParticleSystem.h"
#include "ECS/System/Systems/PlayerSystem.h"
#include "Physics/PhysicsSystem.h"
#include "QelRenderer/CameraSystem.h"
#include "QelRenderer/LightSystem.h"
#include "QelRenderer/SpriteRendereSystem.h"
#include "QelRenderer/TransformSystem.h"

namespace Qel {

namespace {

template <class T> void add(SystemManager& systems, const char* name) {
    TypeName<T>::assign(name);
    systems.RegisterSystem<T>();
}

} // namespace

void registerSystems(SystemManager& systems) {
    // The frame order: the player, then animation (which poses transforms before physics and
    // the matrices see them), physics, scripts, transforms, buttons, enemies, particles, sprites,
    // lights, the two menus, dialogue, and the camera last, so a frame shows the view the previous
    // frame settled on.
    add<PlayerSystem>(systems, "PlayerSystem");
    add<AnimationSystem>(systems, "AnimationSystem");
    add<PhysicsSystem>(systems, "PhysicsSystem");
    add<GOScriptSystem>(systems, "GOScriptSystem");
    add<TransformSystem>(systems, "TransformSystem");
    add<ButtonSystem>(systems, "ButtonSystem");
    add<EnemySystem>(systems, "EnemySystem");
    add<ParticleSystem>(systems, "ParticleSystem");
    add<SpriteRendereSystem>(systems, "SpriteRendereSystem");
    add<LightSystem>(systems, "LightSystem");
    add<MainMenuManager>(systems, "MainMenuManager");
    add<PauseMenuManager>(systems, "PauseMenuManager");
    add<DialogueSystem>(systems, "DialogueSystem");
    add<CameraSystem>(systems, "CameraSystem");
}

} // namespace Qel
