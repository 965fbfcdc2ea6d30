#include "../EcsTestWorld.h"

using namespace Qel;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

using First = ProbeSystem<1>;
using Second = ProbeSystem<2>;
using Nameless = ProbeSystem<3>;
using Unaddressable = ProbeSystem<4>;

class SystemManagerTest : public EcsTest {
protected:
    void SetUp() override {
        EcsTest::SetUp();
        TypeName<First>::assign("First");
        TypeName<Second>::assign("Second");
    }
};

} // namespace

// Named, but yields no key: the only way past the name check to the key check.
template <> struct Qel::TypeName<Unaddressable> {
    static const char* get() { return "Unaddressable"; }
    static bool pch(uint64_t& out) { return (out = 0, false); }
};

TEST_F(SystemManagerTest, LifecycleRunsInRegistrationOrder) {
    auto second = systems->RegisterSystem<Second>();
    systems->RegisterSystem<First>();
    EXPECT_EQ(systems->RegisterSystem<Second>(), second);
    EXPECT_THAT(logged.take(), HasSubstr("[CRITICAL] System Second registered twice"));
    systems->LoadAll();
    systems->InitializeAll();
    systems->UpdateAll(0.5f);
    systems->UnloadAll();
    EXPECT_THAT(probeCalls, ElementsAre("L2", "L1", "I2", "I1", "U0.500000/2", "U0.500000/1", "X2", "X1"));

    uint64_t key = 0;
    ASSERT_TRUE(systems->GetSystem<First>()->GetPCH(key));
    EXPECT_EQ(key, hashName("First"));
    EXPECT_EQ(systems->GetSystem<Nameless>(), nullptr);
}

TEST_F(SystemManagerTest, NotifyEntityChangedFollowsTheSignature) {
    auto positioned = systems->RegisterSystem<First>();
    auto everything = systems->RegisterSystem<Second>();
    positioned->Require(Signature{}.set(components->GetComponentType<Position>()));

    const Entity e = entities->CreateEntity();
    components->AddComponent(e, Health{});
    systems->NotifyEntityChanged(e);
    EXPECT_FALSE(positioned->GetEntities().contains(e));
    components->AddComponent(e, Position{});
    systems->NotifyEntityChanged(e);
    EXPECT_TRUE(positioned->GetEntities().contains(e));
    components->RemoveComponent<Position>(e);
    systems->NotifyEntityChanged(e);
    EXPECT_FALSE(positioned->GetEntities().contains(e));

    // An empty signature matches every id, even one that does not exist.
    systems->NotifyEntityChanged(2999);
    EXPECT_TRUE(everything->GetEntities().contains(2999));
}

using SystemManagerDeathTest = SystemManagerTest;

TEST_F(SystemManagerDeathTest, RegistrationAssertions) {
    remove<LogManager>(); // without a log manager the assertion line goes to standard error
    EXPECT_EXIT(systems->RegisterSystem<Nameless>(), ::testing::ExitedWithCode(187),
                "nullptr name detected in register system");
    EXPECT_EXIT(systems->RegisterSystem<Unaddressable>(), ::testing::ExitedWithCode(187),
                "Failed to set PCHashFn");
}
