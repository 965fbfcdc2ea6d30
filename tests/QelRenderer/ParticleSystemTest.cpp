#include "FrameTestSupport.h"

#include "ECS/Components/ParticleEmitter.h"
#include "ECS/System/Systems/ParticleSystem.h"
#include "data/NameHash.h"

#include <numeric>

namespace Qel {
namespace {

using test::FrameTest;

class ParticleSystemTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        if (IsSkipped()) return;
        particles = systems->GetSystem<ParticleSystem>();
        white = solidTexture("ember", {255, 255, 255, 255});
    }

    /// A still, long-lived emitter of 1 x 1 particles at position.
    Entity emitter(glm::vec2 position, float rate,
                   uint32_t flags = ParticleEmitter::kActive | ParticleEmitter::kLooping) {
        const Entity entity = addSprite(position, {1.0f, 1.0f}, nullptr);
        ParticleEmitter settings;
        settings.flags = flags;
        settings.emissionRate = rate;
        settings.texture = white;
        settings.lifetime = {10.0f, 10.0f};
        settings.size = {1.0f, 1.0f};
        settings.color = {{{1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 1.0f}}};
        settings.rotationScale = {0.0f, 0.0f};
        components->AddComponent(entity, settings);
        announce(entity);
        return entity;
    }

    size_t live() const {
        return std::accumulate(particles->groups().begin(), particles->groups().end(), size_t{0},
                               [](size_t sum, const auto& group) { return sum + group.second.size(); });
    }

    void send(const char* name, int entity, auto value) {
        uint64_t key = 0;
        ASSERT_TRUE(particles->GetPCH(key));
        MessageArgs<int, decltype(value)> message(hashName(name), entity, value);
        world->messages->sendImmediate(message, key);
    }

    std::shared_ptr<ParticleSystem> particles;
    Texture* white = nullptr;
};

TEST_F(ParticleSystemTest, AParticleIsDrawnWhereItsEmitterStandsAndFadesToBlack) {
    const Entity entity = emitter({3.0f, 2.0f}, 10.0f);
    ParticleEmitter& settings = components->GetComponent<ParticleEmitter>(entity);
    settings.colorScale = {{{1.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 0.0f}}};
    settings.flags |= ParticleEmitter::kColorScaleMultiplies;
    particles->Update(0.15f);
    ASSERT_EQ(live(), 1u);
    settings.flags &= ~ParticleEmitter::kActive;
    drawFrame();
    EXPECT_GT(brightness(pixelAt({3.0f, 2.0f})), 3 * 230);
    EXPECT_LT(brightness(pixelAt({-3.0f, 2.0f})), 3 * 10);

    particles->Update(9.5f);
    drawFrame();
    EXPECT_LT(brightness(pixelAt({3.0f, 2.0f})), 3 * 10) << "black and transparent at the end of its life";
}

TEST_F(ParticleSystemTest, ThePoolRunsDryAndLeavingEmittersGiveTheirParticlesBack) {
    const Entity greedy = emitter({0.0f, 0.0f}, 1.0e6f);
    const Entity starved = emitter({1.0f, 0.0f}, 1.0e6f);
    particles->Update(0.05f);
    EXPECT_EQ(live(), ParticlePool::kCapacity);

    DestroyObject({greedy, true});
    EXPECT_EQ(particles->pool().freeCount() + live(), ParticlePool::kCapacity);
    EXPECT_EQ(particles->groups().count(greedy), 0u);
    particles->Update(0.05f);
    EXPECT_GT(particles->groups().at(starved).size(), 0u);

    particles->Unload();
    EXPECT_EQ(particles->pool().freeCount(), ParticlePool::kCapacity);
    particles->Load();
}

TEST_F(ParticleSystemTest, MessagesStopAndRestartAnEmitterWithoutABurst) {
    const Entity entity = emitter({0.0f, 0.0f}, 10.0f, ParticleEmitter::kActive);
    const ParticleEmitter& settings = components->GetComponent<ParticleEmitter>(entity);
    send("PS_setDuration", static_cast<int>(entity), 0.5f);
    for (int frame = 0; frame < 10; ++frame)
        particles->Update(0.06f);
    EXPECT_FALSE(settings.flags & ParticleEmitter::kActive)
        << "a non-looping emitter stops after its duration";
    const size_t emitted = live();

    for (int frame = 0; frame < 30; ++frame)
        particles->Update(0.06f);
    send("PS_setActive", static_cast<int>(entity), 1);
    particles->Update(0.06f);
    EXPECT_LE(live(), emitted + 1) << "time spent inactive is not released at once";
    send("PS_setActive", static_cast<int>(entity), 0);
    EXPECT_FALSE(settings.flags & ParticleEmitter::kActive);
    EXPECT_FLOAT_EQ(settings.elapsed, 0.0f);
}

} // namespace
} // namespace Qel
