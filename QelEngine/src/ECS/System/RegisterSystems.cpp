#include "ECS/System/RegisterSystems.h"

#include "ECS/System/SystemManager.h"
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
    // Bodies move before the matrices are refreshed and the sprites draw; the camera moves last,
    // so a frame shows the view the previous frame settled on.
    add<PhysicsSystem>(systems, "PhysicsSystem");
    add<TransformSystem>(systems, "TransformSystem");
    add<SpriteRendereSystem>(systems, "SpriteRendereSystem");
    add<LightSystem>(systems, "LightSystem");
    add<CameraSystem>(systems, "CameraSystem");
}

} // namespace Qel
