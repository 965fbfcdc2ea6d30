#include "QelAudio/SoundLoader.h"

#include <utility>

namespace Qel {

SoundLoader::SoundLoader(std::vector<Job> toDecode) : jobs(std::move(toDecode)), worker([this] { run(); }) {}

SoundLoader::~SoundLoader() {
    stop.store(true, std::memory_order_release);
    worker.join();
}

void SoundLoader::run() {
    for (const Job& job : jobs) {
        if (stop.load(std::memory_order_acquire)) return;
        Result result{job.key, job.path, decodeOgg(job.path)};
        std::lock_guard lock(mutex);
        finished.push_back(std::move(result));
    }
}

std::vector<SoundLoader::Result> SoundLoader::takeFinished() {
    std::lock_guard lock(mutex);
    taken += finished.size();
    return std::exchange(finished, {});
}

bool SoundLoader::done() {
    std::lock_guard lock(mutex);
    return taken == jobs.size();
}

} // namespace Qel
