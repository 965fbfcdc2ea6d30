#include "ECS/System/Systems/ParticleEmission.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qel;

namespace {

ParticleEmitter emitterAt(float rate) {
    ParticleEmitter emitter;
    emitter.emissionRate = rate;
    emitter.flags = ParticleEmitter::kActive;
    return emitter;
}

TEST(ParticleEmissionTest, DueParticlesFollowTheRateAndNeverBurst) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float rate, dt;
        uint32_t available, due;
        float left;
    } cases[] = {{10.0f, 0.35f, 4096, 3, 0.05f}, {10.0f, 0.35f, 1, 1, 0.1f}, {0.0f, 1.0f, 4096, 0, 0.0f},
                 {-5.0f, 1.0f, 4096, 0, 0.0f},   {NAN, 1.0f, 4096, 0, 0.0f}, {inf, 1.0f, 4096, 0, 0.0f}};
    for (const auto& c : cases) {
        ParticleEmitter emitter = emitterAt(c.rate);
        EXPECT_EQ(takeDueParticles(emitter, c.dt, c.available), c.due) << c.rate << " " << c.available;
        EXPECT_NEAR(emitter.emissionAccumulator, c.left, 1e-5f) << c.rate << " " << c.available;
    }
}

TEST(ParticleEmissionTest, ANonLoopingCycleEndsAndALoopingOneGoesOn) {
    ParticleEmitter once = emitterAt(10.0f);
    ParticleEmitter looping = emitterAt(10.0f);
    looping.flags |= ParticleEmitter::kLooping;
    for (int frame = 0; frame < 4; ++frame) {
        EXPECT_TRUE(advanceCycle(once, 0.25f)) << "the frame the cycle ends still emits";
        EXPECT_TRUE(advanceCycle(looping, 0.25f));
    }
    EXPECT_FLOAT_EQ(once.elapsed, 0.0f);
    EXPECT_FALSE(advanceCycle(once, 0.25f));
    EXPECT_TRUE(looping.flags & ParticleEmitter::kActive);
    EXPECT_FLOAT_EQ(looping.elapsed, 0.0f);
}

TEST(ParticleEmissionTest, DrawsStayInReversedRangesAndDeadOnArrivalParticlesAreNotBorn) {
    std::mt19937 random(7);
    ParticleEmitter emitter = emitterAt(10.0f);
    emitter.lifetime = {2.0f, 1.0f};
    emitter.speed = {3.0f, 3.0f};
    for (int i = 0; i < 200; ++i) {
        const std::optional<Particle> particle = spawnParticle(emitter, {4.0f, 5.0f}, random);
        ASSERT_TRUE(particle);
        EXPECT_GE(particle->lifetime, 1.0f);
        EXPECT_LE(particle->lifetime, 2.0f);
        EXPECT_NEAR(glm::length(particle->velocity), 3.0f, 1e-4f);
    }
    for (float lifetime : {0.0f, -1.0f, NAN}) {
        emitter.lifetime = {lifetime, lifetime};
        EXPECT_FALSE(spawnParticle(emitter, {}, random)) << lifetime;
    }
}

TEST(ParticleEmissionTest, AgeingMovesAtTheScaledSpeedAndColoursFade) {
    ParticleEmitter emitter = emitterAt(1.0f);
    emitter.speedScale = {1.0f, 0.0f};
    emitter.colorScale = {{{1.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 0.0f}}};
    emitter.flags |= ParticleEmitter::kColorScaleMultiplies;
    Particle particle;
    particle.lifetime = 2.0f;
    particle.velocity = {4.0f, 0.0f};
    particle.color = {1.0f, 0.5f, 1.0f, 1.0f};
    ASSERT_TRUE(ageParticle(particle, emitter, 1.0f));
    EXPECT_FLOAT_EQ(particle.position.x, 2.0f) << "half speed at half its life";
    EXPECT_EQ(drawnColor(particle, emitter), glm::vec4(0.5f, 0.25f, 0.5f, 0.5f));
    emitter.flags &= ~ParticleEmitter::kColorScaleMultiplies;
    EXPECT_EQ(drawnColor(particle, emitter), glm::vec4(0.5f));
    EXPECT_FALSE(ageParticle(particle, emitter, 1.5f));
}

TEST(ParticleEmissionTest, CullingUsesTheLargerSizeAndSkipsEmptyViews) {
    ParticleEmitter emitter;
    emitter.sizeScale = {2.0f, 0.0f};
    Particle particle;
    particle.size = 1.0f;
    EXPECT_FLOAT_EQ(cullRadius(particle, emitter), 2.0f * 0.70710677f);

    const std::optional<WorldRect> view = windowWorldBounds({1280.0f, 720.0f}, {10.0f, 0.0f}, 10.0f);
    ASSERT_TRUE(view);
    EXPECT_FLOAT_EQ(view->max.x - 10.0f, 10.0f - view->min.x);
    EXPECT_TRUE(overlaps(*view, {view->max.x + 1.0f, 0.0f}, 1.5f));
    EXPECT_FALSE(overlaps(*view, {view->max.x + 1.0f, 0.0f}, 0.5f));
    EXPECT_FALSE(windowWorldBounds({1280.0f, 0.0f}, {}, 10.0f));
    EXPECT_FALSE(windowWorldBounds({1280.0f, 720.0f}, {}, 0.0f));
}

} // namespace
