#include "ECS/Component/Components/ComponentReaders.h"

#include "QelRenderer/Mesh.h"
#include "QelRenderer/Shader.h"
#include "QelRenderer/Texture.h"

namespace Qel {

template <> SpriteRenderer readComponent<SpriteRenderer>(const JSONArr::iter& object) {
    SpriteRenderer sprite;
    object.get("isCastShadow", sprite.isCastShadow);
    object.get("isRecieveShadow", sprite.isRecieveShadow);
    object.get("layerNum", sprite.layerNum);
    object.get("emissionAmount", sprite.emissionAmount);
    object.get("lightMaskAlpha", sprite.lightMaskAlpha);
    readFloats(object, "uvOffset", "XY", sprite.uvOffset);
    readFloats(object, "uvSize", "XY", sprite.uvSize);
    readFloats(object, "color", "RGBA", sprite.color);
    sprite.texture = readAssetReference<Texture>(object, "texture");
    sprite.emission = readAssetReference<Texture>(object, "emission");
    sprite.lightMask = readAssetReference<Texture>(object, "lightMask");
    sprite.shader = readAssetReference<Shader>(object, "shader");
    sprite.mesh = readAssetReference<Mesh>(object, "mesh");
    return sprite;
}

} // namespace Qel
