#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace Qel {

/// One asynchronous loading job, run on its own worker. Completion is seen through `done`, set by
/// the worker (release) after `function` has returned; readers load it (acquire).
struct LoadingTask {
    using Function = void (*)(void* argument);

    std::atomic<bool> done{false};
    /// Set by the main thread to ask the worker to stop; the directory loaders check it between
    /// files.
    std::atomic<bool> cancelled{false};
    Function function = nullptr;
    void* argument = nullptr;
    /// The line of a strong assertion raised on the worker, for the main thread to raise; written
    /// before `done`.
    std::string failure;
    std::thread worker;
};

/// The process-wide list of loading tasks. Tasks are held by pointer so that a task's address,
/// which its worker writes through, never moves. The list is only touched by the main thread.
class LoadingTasks {
public:
    /// Room for the three tasks a run ever has at once.
    static constexpr size_t kCapacity = 3;

    /// Starts a worker that calls function(argument) and then sets the task's flag. A strong
    /// assertion raised on the worker ends the function and is kept as the task's failure.
    static void start(LoadingTask::Function function, void* argument);
    static bool empty();
    static bool allDone();
    /// The failure of the first finished task that has one.
    static std::optional<std::string> failure();
    /// Waits for every worker and forgets the tasks; without waiting once allDone() is true.
    static void clear();
    /// Asks every worker to stop, waits until all have, and forgets the tasks. Every shutdown runs
    /// it before the managers the workers use are deleted.
    static void stopAll();

private:
    static std::vector<std::unique_ptr<LoadingTask>>& tasks();
};

} // namespace Qel
