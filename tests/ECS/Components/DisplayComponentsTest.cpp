#include "ComponentReaderTest.h"

#include "QelRenderer/AnimationController.h"
#include "data/NameHash.h"

using namespace Qel;

using DisplayComponentsTest = ComponentReaderTest;

TEST_F(DisplayComponentsTest, KeysReachTheirOwnFieldsAndMissingOnesKeepDefaults) {
    const Camera camera = read<Camera>(R"({"offsetY": 2.0})");
    EXPECT_EQ(glm::vec3(camera.cameraZoom, camera.offset), glm::vec3(10.0f, 0.0f, 2.0f));

    const UITransform ui = read<UITransform>(R"({"positionX": 1.0, "positionY": 2.0, "positionZ": 3.0,
        "scaleZ": 6.0, "pivotY": 0.75, "anchorMinX": -1.0, "anchorMaxY": 0.5, "height": 64.0, "layer": 3})");
    EXPECT_EQ(ui.position, glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(ui.scale, glm::vec3(1.0f, 1.0f, 6.0f));
    EXPECT_EQ(glm::vec4(ui.pivot, ui.anchorMin), glm::vec4(0.0f, 0.75f, -1.0f, 0.0f));
    EXPECT_EQ(glm::vec4(ui.anchorMax, ui.width, ui.height), glm::vec4(0.0f, 0.5f, 100.0f, 64.0f));
    EXPECT_EQ(ui.layer, 3);
    // A Transform never reads depth.
    const Transform transform = read<Transform>(R"({"positionX": 3.0, "positionZ": 5.0, "rotation": 90.0})");
    EXPECT_EQ(transform.position, glm::vec3(3.0f, 0.0f, 0.0f));
    EXPECT_EQ(transform.rotation, 90.0f);
}

TEST_F(DisplayComponentsTest, TextAlignmentOutsideTheGridCentres) {
    for (const auto& [value, stored] :
         {std::pair{0, 0}, {3, 3}, {4, 4}, {5, 5}, {8, 8}, {9, 4}, {-1, 4}, {2147483647, 4}}) {
        EXPECT_EQ(read<Text>(R"({"alignment": )" + std::to_string(value) + "}").alignment, stored) << value;
    }
}

TEST_F(DisplayComponentsTest, UnknownAssetNamesAreNullSilentlyAndAnAnimatorStartsInItsDefaultState) {
    // Each read clears the log: the sprite's lines are kept before the text is read.
    const SpriteRenderer sprite = read<SpriteRenderer>(R"({"texture": "Art/Missing", "mesh": "quad"})");
    const std::string spriteLog = logged.take();
    const Text text = read<Text>(R"({"font": "Roboto-Regular"})");
    const std::string log = spriteLog + logged.take();
    EXPECT_TRUE(sprite.texture == nullptr && sprite.mesh == nullptr && text.font == nullptr);
    for (const char* key : {"\"texture\"", "\"mesh\"", "\"font\""})
        EXPECT_EQ(log.find(key), std::string::npos) << key;

    AnimatorController controller;
    controller.defaultState = hashName("Walk");
    controller.states[controller.defaultState].playbackSpeed = 2.0f;
    ASSERT_TRUE(assets.load<AnimatorController>("Player/Controller", controller));
    const AnimatorController* registered =
        assets.findRegistry<AnimatorController>()->get(hashName("Player/Controller"));
    const Animator animator = read<Animator>(R"({"animatorController": "Player/Controller"})");
    EXPECT_EQ(animator.controller, registered);
    EXPECT_EQ(animator.currentState, registered->findState(controller.defaultState));
    EXPECT_EQ(read<Animator>(R"({"animatorController": "Player/Other"})").controller, nullptr);
    EXPECT_EQ(logged.take(), "");
}
