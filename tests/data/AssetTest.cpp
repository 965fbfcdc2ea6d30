#include "data/AssetManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace Qel {
namespace {

/// Counts constructions and records the order in which registries release their values.
struct Tracked {
    explicit Tracked(int id) : id(id) { ++built; }
    ~Tracked() { released.push_back(id); }
    int id;
    inline static std::atomic<int> built = 0;
    inline static std::vector<int> released;
};

struct OtherTracked : Tracked {
    using Tracked::Tracked;
};

TEST(AssetManager, LoadKeepsTheFirstValueAndRecordsTheName) {
    AssetManager assets;
    Tracked::built = 0;
    EXPECT_EQ(assets.findRegistry<Tracked>(), nullptr);
    EXPECT_TRUE(assets.load<Tracked>("enemy/ai", 1));
    const Tracked* first = assets.findRegistry<Tracked>()->get(hashName("enemy/ai"));
    EXPECT_FALSE(assets.load<Tracked>("enemy/ai", 2));
    EXPECT_EQ(Tracked::built, 1);

    // Pointers survive the registry growing.
    for (int i = 0; i < 1000; ++i) assets.load<Tracked>(std::to_string(i), i);
    EXPECT_EQ(assets.findRegistry<Tracked>()->get(hashName("enemy/ai")), first);
    ASSERT_NE(assets.nameOf(hashName("enemy/ai")), nullptr);
    EXPECT_EQ(*assets.nameOf(hashName("enemy/ai")), "enemy/ai");
    EXPECT_EQ(assets.nameOf(hashName("missing")), nullptr);
}

TEST(AssetManager, DestroysRegistriesNewestFirst) {
    {
        AssetManager assets;
        assets.load<Tracked>("older", 1);
        assets.load<OtherTracked>("newer", 2);
        Tracked::released.clear();
    }
    EXPECT_EQ(Tracked::released, (std::vector<int>{2, 1}));
    EXPECT_EQ(Registry<Tracked>::instance(), nullptr);
    EXPECT_EQ(Registry<std::string>::instance(), nullptr);
}

TEST(AssetManager, ConcurrentLoadersLoseNothing) {
    AssetManager assets;
    std::vector<std::thread> workers;
    for (int worker = 0; worker < 4; ++worker) {
        workers.emplace_back([&assets, worker] {
            for (int i = 0; i < 500; ++i) {
                const std::string name = std::to_string(worker) + "/" + std::to_string(i);
                worker % 2 ? assets.load<Tracked>(name, i) : assets.load<OtherTracked>(name, i);
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(assets.findRegistry<Tracked>()->size(), 1000u);
    EXPECT_EQ(assets.findRegistry<OtherTracked>()->size(), 1000u);
    EXPECT_EQ(assets.findRegistry<std::string>()->size(), 2000u);
}

} // namespace
} // namespace Qel
