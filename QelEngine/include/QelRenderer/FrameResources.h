#pragma once

#include "ECS/Entity.h"
#include "QelRenderer/BatchingManager.h"
#include "QelRenderer/LightPacking.h"
#include "QelRenderer/Vertices.h"

#include <string>
#include <vector>

namespace Qel {

class Mesh;
class Shader;

using SpriteBatch = Graphics::BatchManager<SpriteVertex>;
using UIBatch = Graphics::BatchManager<UIVertex>;
inline constexpr uint32_t kSpriteBatchCapacity = 2048;
inline constexpr uint32_t kUIBatchCapacity = 250;
/// The lit sprite programs' light map sits on the unit after their sampler array.
inline constexpr int kLightMapUnit = Graphics::kBatchTextureUnits;

/// What the renderer keeps between Load and shutdown: the built-in resources (owned by their
/// registries for the whole run, found once) and the lists of the frame being drawn.
struct FrameResources {
    /// The light map; lit sprites into the scene targets, the glowing ones also sampling
    /// emission; drop shadows into the scene targets, those of opaque casters without sampling.
    Shader* lightMap = nullptr;
    Shader* sprite = nullptr;
    Shader* glowingSprite = nullptr;
    Shader* shadowSprite = nullptr;
    Shader* solidShadowSprite = nullptr;
    /// Light masks and particles, unlit, straight to the window.
    Shader* unlitSprite = nullptr;
    Shader* ui = nullptr;
    Shader* debug = nullptr;
    /// The blur's passes after the first, and its first, which also shrinks the bright target.
    Shader* bloom = nullptr;
    Shader* shrinkingBloom = nullptr;
    /// The composite, and the same graded through the scene's colour table.
    Shader* postPro = nullptr;
    Shader* gradedPostPro = nullptr;
    Mesh* quad = nullptr;
    Mesh* squareDebug = nullptr;
    SpriteBatch* spriteBatch = nullptr;
    UIBatch* uiBatch = nullptr;

    /// This frame's sprites inside the view, in layer order; emptied after each frame.
    std::vector<Entity> visible;
    LightBuffer lights;
    /// Programs that did not build and whose passes are skipped: each is reported once.
    std::vector<std::string> skippedPrograms;
};

} // namespace Qel
