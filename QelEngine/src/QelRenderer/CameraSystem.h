#pragma once

#include "ECS/System/ISystem.h"

#include <random>
#include <vector>

namespace Qel {

/// Follows the active camera: the Camera entity with the lowest priority value that is not
/// disabled. Writes cameraState() (position, zoom, matrices, clear colour) and shakes it on the
/// broadcast message "CamShake". Its TypeName text is "CameraSystem".
class CameraSystem : public ISystem {
public:
    /// Sets the signature {Camera, Transform} (both types must be registered) and listens for
    /// "CamShake" on the broadcast receiver.
    void Load() override;
    /// Takes the level bounds and snaps to the active camera; with no camera at all, the default
    /// view (origin, zoom 10, black).
    void Initialize() override;
    /// Eases toward the active camera, keeps the view in the level, rebuilds the matrices and
    /// advances a shake. dt: seconds.
    void Update(float dt) override;
    /// Keeps the camera list in step with the entity set, in the order cameras appeared.
    void EntitySignatureChanged(Entity entity) override;

    /// The cameras, sorted by priority as of the last Initialize or Update.
    const std::vector<Entity>& cameras() const { return cameraList; }

private:
    /// Sorts the list by priority (stable, so equal priorities keep their order) and returns the
    /// first camera not disabled; MAX_ENTITIES when every camera is disabled.
    Entity activeCamera();

    std::vector<Entity> cameraList;
    std::minstd_rand shakeRandom;
};

} // namespace Qel
