#include "QelRenderer/LightSystem.h"

#include "LightingTestWorld.h"

#include <gmock/gmock.h>

namespace Qel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LightSystemTest : public LightingWorldTest {
protected:
    void SetUp() override {
        system = add<LightSystem>("LightSystem");
        systems->LoadAll();
    }

    std::shared_ptr<LightSystem> system;
};

TEST_F(LightSystemTest, AppendsNewLightsAndRemovesLeaversKeepingOrder) {
    const Entity first = place(0.0f, 0.0f);
    const Entity plain = place(0.0f, 0.0f, 5.0f, false);
    const Entity second = place(0.0f, 0.0f);
    EXPECT_THAT(system->lights(), ElementsAre(first, second));

    components->AddComponent(plain, Light{});
    systems->NotifyEntityChanged(plain);
    systems->NotifyEntityChanged(first);
    EXPECT_THAT(system->lights(), ElementsAre(first, second, plain));

    components->RemoveComponent<Light>(first);
    systems->NotifyEntityChanged(first);
    EXPECT_THAT(system->lights(), ElementsAre(second, plain));

    components->EntityDestroyed(second);
    entities->DestroyEntity(second);
    systems->NotifyEntityChanged(second);
    EXPECT_THAT(system->lights(), ElementsAre(plain));
    EXPECT_EQ(system->GetEntities().size(), 1u);

    systems->UnloadAll();
    EXPECT_THAT(system->lights(), IsEmpty());
    EXPECT_THAT(system->GetEntities(), IsEmpty());
}

TEST(LightSystemLoadTest, RefusesToMatchEverythingWhenLightIsNotRegistered) {
    EXPECT_EXIT(
        {
            // The assertion tears the engine down itself, so the managers live on the heap.
            new LogManager();
            new EntityManager();
            new ComponentManager();
            LightSystem().Load();
        },
        testing::ExitedWithCode(187), "LightSystem needs the Light and Transform components registered");
}

} // namespace
} // namespace Qel
