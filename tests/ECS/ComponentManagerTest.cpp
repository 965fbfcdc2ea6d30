#include "EcsTestWorld.h"

using namespace Qel;
using ::testing::HasSubstr;

using ComponentManagerTest = EcsTest;

namespace {
struct Nameless {};
template <int I> struct Filler { int value = 0; };
} // namespace

TEST_F(ComponentManagerTest, FullArrayLeavesTheSignatureBitClear) {
    // Ids outside the scene range only occupy slots.
    for (Entity id = 0; id < MAX_ENTITIES; ++id)
        components->AddComponent(100000 + id, Health{});
    const Entity e = entities->CreateEntity();
    components->AddComponent(e, Health{});
    EXPECT_THAT(logged.take(), HasSubstr("[HIGH] Health array is full"));
    EXPECT_FALSE(entities->GetSignature(e).test(1));
}

TEST_F(ComponentManagerTest, NamelessSharedAndUnregisteredTypes) {
    static const char* const shared = "Filler";
    TypeName<Filler<0>>::assign(shared);
    TypeName<Filler<1>>::assign(shared);
    components->RegisterComponent<Nameless>();
    components->RegisterComponent<Health>();
    components->RegisterComponent<Filler<0>>();
    components->RegisterComponent<Filler<1>>();
    // Filler<1> has no array of its own and must not be handed Filler<0>'s.
    const Entity e = entities->CreateEntity();
    components->AddComponent(e, Filler<1>{5});
    EXPECT_EQ(components->GetComponent<Filler<1>>(e).value, 0);
    const std::string out = logged.take();
    EXPECT_THAT(out, HasSubstr("[CRITICAL] nullptr name detected in register component"));
    EXPECT_THAT(out, HasSubstr("Health registered twice"));
    EXPECT_THAT(out, HasSubstr("[HIGH] Component type Filler is not registered"));
    EXPECT_EQ(components->GetComponentType<Nameless>(), 2);
    EXPECT_EQ(components->GetComponentType<Filler<1>>(), MAX_COMPONENTS);
    EXPECT_FALSE(components->HasComponent<Filler<0>>(e));
    EXPECT_TRUE(entities->GetSignature(e).none());
}
