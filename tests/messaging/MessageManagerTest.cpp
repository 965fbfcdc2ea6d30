#include "messaging/MessageManager.h"
#include "LogSink.h"
#include "data/NameHash.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace Qel;

namespace {

constexpr uint64_t kPing = hashName("Ping");
constexpr uint64_t kAudio = hashName("AudioManager");

auto ping(int value) {
    return std::make_unique<MessageArgs<int>>(kPing, value);
}

// Handlers are plain functions, so what they see is recorded in a global reset by the fixture.
std::vector<int> values;

const MessageHandler first = [](Message&) { values.push_back(100); };
const MessageHandler second = [](Message&) { values.push_back(200); };
void recordInt(Message& message) {
    if (auto* args = message.argsAs<int>()) values.push_back(std::get<0>(*args));
}
void removeOwnReceiver(Message& message) {
    recordInt(message);
    MessageManager::instance()->removeReceiver(kAudio);
}
void sendFollowUp(Message& message) {
    recordInt(message);
    if (values.back() == 1) MessageManager::instance()->send(ping(2), 0);
}

class MessageManagerTest : public testing::Test {
protected:
    void SetUp() override { values.clear(); }
    MessageManager manager;
};

TEST_F(MessageManagerTest, HandlersRunInRegistrationOrderAndOnlyOnce) {
    BroadcastReceiver* receiver = manager.getReceiver(0);
    EXPECT_TRUE(receiver->addHandler(kPing, first));
    EXPECT_TRUE(receiver->addHandler(kPing, second));
    EXPECT_FALSE(receiver->addHandler(kPing, first));
    EXPECT_FALSE(receiver->addHandler(kPing, nullptr));
    EXPECT_TRUE(receiver->addHandler(hashName("Other"), first));

    MessageArgs<int> message(kPing, 1);
    EXPECT_EQ(manager.sendImmediate(message, 0), 2u);
    EXPECT_EQ(values, (std::vector<int>{100, 200}));
}

TEST_F(MessageManagerTest, QueuedMessagesWaitForDispatchAllAndThoseSentByHandlersForTheNextRound) {
    // Delivering 1 sends 2 from inside the handler: it arrives next round, exactly once.
    manager.getReceiver(0)->addHandler(kPing, sendFollowUp);
    manager.send(ping(1), 0);
    manager.send(ping(4), 0);
    manager.send(ping(3), kAudio);
    MessageArgs<int> now(kPing, 9);
    manager.sendImmediate(now, 0);
    EXPECT_EQ(values, (std::vector<int>{9}));

    manager.dispatchAll();
    EXPECT_EQ(values, (std::vector<int>{9, 1, 4}));
    manager.dispatchAll();
    manager.dispatchAll();
    EXPECT_EQ(values, (std::vector<int>{9, 1, 4, 2}));
    EXPECT_EQ(manager.sendImmediate(now, kAudio), 0u);
    EXPECT_EQ(manager.findReceiver(kAudio), nullptr);
}

TEST_F(MessageManagerTest, RemovedReceiversGetNothingAndTheirMessagesAreDestroyed) {
    manager.getReceiver(kAudio)->addHandler(kPing, recordInt);
    auto payload = std::make_shared<int>(0);
    manager.send(std::make_unique<MessageArgs<std::shared_ptr<int>>>(kPing, payload), kAudio);
    manager.send(ping(1), kAudio);
    manager.removeReceiver(kAudio);
    manager.removeReceiver(kAudio);
    MessageArgs<int> now(kPing, 2);
    EXPECT_EQ(manager.sendImmediate(now, kAudio), 0u);
    manager.dispatchAll();
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(payload.use_count(), 1);

    // Removal from inside a handler: the rest of the round skips the receiver, others go on.
    manager.getReceiver(kAudio)->addHandler(kPing, removeOwnReceiver);
    manager.getReceiver(0)->addHandler(kPing, recordInt);
    manager.send(ping(3), kAudio);
    manager.send(ping(4), kAudio);
    manager.send(ping(5), 0);
    manager.dispatchAll();
    EXPECT_EQ(values, (std::vector<int>{3, 5}));
    manager.getReceiver(kAudio)->addHandler(kPing, removeOwnReceiver);
    EXPECT_EQ(manager.sendImmediate(now, kAudio), 1u);
    EXPECT_EQ(manager.findReceiver(kAudio), nullptr);
}

TEST_F(MessageManagerTest, WrongArgumentTypesAreLoggedNotRead) {
    test::LogSink logged;
    manager.getReceiver(0)->addHandler(kPing, recordInt);
    MessageArgs<float> wrong(kPing, 1.5f);
    manager.sendImmediate(wrong, 0);
    MessageArgs<int, int> longer(kPing, 1, 2);
    manager.sendImmediate(longer, 0);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(logged.count("does not carry the arguments its handler expects; ignored"), 2u);
}

std::atomic<int> texturesSeen{0};
const MessageHandler countTexture = [](Message& message) {
    if (message.argsAs<uint64_t, uint32_t, uint32_t, int, int, uint8_t*>()) ++texturesSeen;
};

TEST_F(MessageManagerTest, LoadingThreadsDeliverWhileTheMainThreadChangesReceivers) {
    constexpr uint64_t kTextures = hashName("GraphicsMultiThreadReceiver");
    constexpr int kThreads = 3, kPerThread = 2000;
    manager.getReceiver(kTextures)->addHandler(hashName("MTTextureCreateRequest"), countTexture);
    texturesSeen = 0;
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([&] {
            for (int i = 0; i < kPerThread; ++i) {
                MessageArgs<uint64_t, uint32_t, uint32_t, int, int, uint8_t*> request(
                    hashName("MTTextureCreateRequest"), i, 0, 0, 0, 0, nullptr);
                manager.sendImmediate(request, kTextures);
            }
        });
    }
    for (uint64_t key = 1; key < 400; ++key) {
        manager.getReceiver(key)->addHandler(kPing, recordInt);
        manager.getReceiver(kTextures)->addHandler(key, first);
        manager.send(ping(static_cast<int>(key)), key);
        manager.dispatchAll();
        if (key % 2) manager.removeReceiver(key);
    }
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(texturesSeen, kThreads * kPerThread);
    EXPECT_EQ(values.size(), 399u);
}

} // namespace
