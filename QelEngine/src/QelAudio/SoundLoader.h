#pragma once

#include "QelAudio/SoundDecoder.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Qel {

/// Decodes sound files on its own worker thread, so start-up does not wait for them. The main
/// thread collects what is finished and makes the OpenAL buffers itself.
class SoundLoader {
public:
    struct Job {
        uint64_t key;
        std::string path;
    };
    struct Result {
        uint64_t key;
        std::string path;
        DecodedSound sound;
    };

    /// Starts decoding the jobs in order.
    explicit SoundLoader(std::vector<Job> jobs);
    /// Stops after the file being decoded and joins the worker.
    ~SoundLoader();
    SoundLoader(const SoundLoader&) = delete;
    SoundLoader& operator=(const SoundLoader&) = delete;

    /// The sounds finished since the last call.
    std::vector<Result> takeFinished();
    /// Whether every job has been decoded and taken.
    bool done();

private:
    void run();

    std::vector<Job> jobs;
    std::mutex mutex;
    std::vector<Result> finished;
    size_t taken = 0;
    std::atomic<bool> stop{false};
    std::thread worker;
};

} // namespace Qel
