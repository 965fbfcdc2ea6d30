#include "ComponentReaderTest.h"

#include "ECS/Component/ComponentCatalogue.h"
#include "ECS/Component/RegisterComponents.h"
#include "ECS/ComponentManager.h"
#include "ECS/TypeName.h"

#include <string>
#include <vector>

using namespace Qel;

namespace {

std::vector<std::string> channels(const std::string& prefix, const std::string& suffixes) {
    std::vector<std::string> keys;
    for (char suffix : suffixes)
        keys.push_back(prefix + suffix);
    return keys;
}

std::vector<std::string> operator+(std::vector<std::string> keys, const std::vector<std::string>& more) {
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

struct KeyedComponent {
    std::string fileName;
    /// Every key the reader looks up, in reading order.
    std::vector<std::string> keys;
};

/// The components whose readers only look keys up one by one (the particle emitter and the
/// scripts have their own messages and tests).
const std::vector<KeyedComponent>& plainComponents() {
    using V = std::vector<std::string>;
    static const std::vector<KeyedComponent> table{
        {"Transform", channels("position", "XY") + channels("scale", "XY") + V{"rotation"}},
        {"SpriteRenderer",
         V{"isCastShadow", "isRecieveShadow", "layerNum", "emissionAmount", "lightMaskAlpha"} +
             channels("uvOffset", "XY") + channels("uvSize", "XY") + channels("color", "RGBA") +
             V{"texture", "emission", "lightMask", "shader", "mesh"}},
        {"Camera", channels("clearColor", "RGB") + V{"cameraZoom", "priority", "followSpeed"} +
                       channels("offset", "XY")},
        {"Animator", {"animatorController"}},
        {"RigidBody2D", V{"mass"} + channels("velocity", "XY") +
                            V{"restitution", "drag", "isStatic", "isDynamic", "isKinematic"}},
        {"ColliderPtr",
         V{"type"} + channels("offset", "XY") + V{"colliderSizeX", "colliderSizeY", "isTrigger"}},
        {"Text", V{"text", "size", "font"} + channels("color", "RGBA") + V{"alignment"}},
        {"Button", channels("color", "RGBA") + channels("hoverColor", "RGBA") +
                       channels("clickColor", "RGBA") + V{"OnClick"}},
        {"UITransform", channels("position", "XYZ") + channels("scale", "XYZ") + V{"rotation"} +
                            channels("pivot", "XY") + channels("anchorMin", "XY") +
                            channels("anchorMax", "XY") + V{"width", "height", "layer"}},
        {"Enemy", {"health", "mspeed", "dRange", "aspeed"}},
        {"Layer", {"layerName"}},
        {"Light", channels("color", "RGB") + V{"range", "intensity", "attenuation", "height"}},
        {"PauseMenuManager", {}},
    };
    return table;
}

class ComponentCatalogueTest : public ComponentReaderTest {
protected:
    /// Reads `objectText` with the reader named `fileName`; whether the name was known.
    bool readByName(const std::string& fileName, const std::string& objectText) {
        bool known = false;
        withObject(objectText, [&](const JSONArr::iter& object) {
            known = readComponentByName(hashName(fileName), object, [](auto) {});
        });
        return known;
    }
};

} // namespace

TEST_F(ComponentCatalogueTest, EveryKeyIsLookedUpOnceMissingOrMistyped) {
    for (const KeyedComponent& component : plainComponents()) {
        std::string mistypedObject = R"({"name": "x")", notFound, mismatches;
        for (const std::string& key : component.keys) {
            // An object value suits no getter.
            mistypedObject += ", \"" + key + "\": {}";
            notFound += missing(key);
            mismatches += mistyped(key);
        }
        EXPECT_TRUE(readByName(component.fileName, R"({"name": ")" + component.fileName + "\"}"));
        EXPECT_EQ(takeLog(), notFound) << component.fileName;
        EXPECT_TRUE(readByName(component.fileName, mistypedObject + "}"));
        EXPECT_EQ(takeLog(), mismatches) << component.fileName;
    }
}

TEST_F(ComponentCatalogueTest, OnlyTheNamesUsedInFilesAreKnown) {
    for (const char* name : {"PauseMenuManagerComponent", "transform", "Collider", ""})
        EXPECT_FALSE(readByName(name, "{}")) << name;
    EXPECT_EQ(takeLog(), "");
}

namespace {
/// Stands in for the prefab manager: records the registration order.
struct RecordingStore {
    template <class T> void RegisterComponent() { names.push_back(TypeName<T>::get()); }
    std::vector<const char*> names;
};
} // namespace

TEST_F(ComponentCatalogueTest, RegistrationFollowsTheCatalogueOrderInBothStores) {
    ComponentManager components;
    RecordingStore prefabs;
    registerComponentTypes(components, prefabs);

    std::istringstream expected(
        "Transform SpriteRenderer Camera Animator RigidBody2D ColliderPtr Text Button "
        "UITransform Enemy Layer Light PauseMenuManagerComponent ParticleEmitter GOScripts");
    size_t index = 0;
    forEachComponentType([&]<class T>() {
        std::string name;
        expected >> name;
        EXPECT_EQ(components.GetComponentType<T>(), index);
        EXPECT_EQ(TypeName<T>::get(), name);
        EXPECT_EQ(TypeName<T>::hash, hashName(name));
        // Both stores key by the same name pointer.
        EXPECT_EQ(prefabs.names.at(index++), TypeName<T>::get());
    });
    EXPECT_EQ(components.RegisteredCount(), 15);
    EXPECT_EQ(prefabs.names.size(), 15u);
    EXPECT_EQ(takeLog(), "");
}
