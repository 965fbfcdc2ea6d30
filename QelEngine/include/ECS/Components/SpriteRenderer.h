#pragma once

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstdint>

namespace Qel {

class Texture;
class Shader;
class Mesh;

/// Component: how an entity is drawn. The asset pointers are shared with their registries
/// (never owned here) and are null when the file names no loaded asset.
struct SpriteRenderer {
    bool isCastShadow = false;
    bool isRecieveShadow = false;
    /// Draw layer: lower layers first.
    int32_t layerNum = 0;
    float emissionAmount = 1.0f;
    float lightMaskAlpha = 1.0f;
    /// Rectangle of the texture shown, in texture units (0..1).
    glm::vec2 uvOffset{0.0f, 0.0f};
    glm::vec2 uvSize{1.0f, 1.0f};
    /// RGBA, 0..1.
    glm::vec4 color{1.0f, 1.0f, 1.0f, 1.0f};
    Texture* texture = nullptr;
    Texture* emission = nullptr;
    Texture* lightMask = nullptr;
    Shader* shader = nullptr;
    Mesh* mesh = nullptr;
};

} // namespace Qel
