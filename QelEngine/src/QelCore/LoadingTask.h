#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <vector>

namespace Qel {

/// One asynchronous loading job, run on its own detached worker. Completion is seen only through
/// `done`, set by the worker (release) after `function` has returned; readers load it (acquire).
struct LoadingTask {
    using Function = void (*)(void* argument);

    std::atomic<bool> done{false};
    Function function = nullptr;
    void* argument = nullptr;
};

/// The process-wide list of loading tasks. Tasks are held by pointer so that a task's address,
/// which its worker writes `done` through, never moves.
class LoadingTasks {
public:
    /// Room for the three tasks a run ever has at once.
    static constexpr size_t kCapacity = 3;

    /// Starts a detached worker that calls function(argument) and then sets the task's flag.
    static void start(LoadingTask::Function function, void* argument);
    static bool empty();
    static bool allDone();
    /// Forgets every task; only call once allDone() is true (no worker touches them any more).
    static void clear();

private:
    static std::vector<std::unique_ptr<LoadingTask>>& tasks();
};

} // namespace Qel
