// Cost of one queued message: build it, queue it with send, deliver it in dispatchAll to a
// receiver with one handler that reads its argument, destroy it. Prints nanoseconds per message.
#include "data/NameHash.h"
#include "messaging/MessageManager.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kMessages = 100000;
constexpr int kRuns = 9;
constexpr uint64_t kSound = Qel::hashName("playSFX");
constexpr uint64_t kAudio = Qel::hashName("AudioManager");

uint64_t checksum = 0;

void readSound(Qel::Message& message) {
    if (auto* args = message.argsAs<uint64_t>()) checksum += std::get<0>(*args);
}

} // namespace

int main() {
    Qel::MessageManager manager;
    manager.getReceiver(kAudio)->addHandler(kSound, readSound);
    // Other receivers make the receiver look-up a realistic hash-map probe.
    for (const char* name :
         {"ParticleSystem", "GOScriptSystem", "WindowHandler", "GraphicsMultiThreadReceiver"}) {
        manager.getReceiver(Qel::hashName(name))->addHandler(kSound, readSound);
    }

    std::vector<double> nsPerMessage;
    for (int run = 0; run < kRuns; ++run) {
        checksum = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kMessages; ++i) {
            manager.send(std::make_unique<Qel::MessageArgs<uint64_t>>(kSound, 1), kAudio);
        }
        manager.dispatchAll();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (checksum != kMessages) {
            std::printf("delivered %llu of %d messages\n", static_cast<unsigned long long>(checksum),
                        kMessages);
            return 1;
        }
        nsPerMessage.push_back(std::chrono::duration<double, std::nano>(elapsed).count() / kMessages);
    }
    std::sort(nsPerMessage.begin(), nsPerMessage.end());
    std::printf("messages: send + dispatchAll of %d messages: %.1f ns per message (median of %d runs)\n",
                kMessages, nsPerMessage[kRuns / 2], kRuns);
    return 0;
}
