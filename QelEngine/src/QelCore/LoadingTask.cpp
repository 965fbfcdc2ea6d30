#include "QelCore/LoadingTask.h"

#include "QelCore/StrongAssert.h"
#include "data/DirectoryLoader.h"

namespace Qel {

namespace {

void runTask(LoadingTask& task) {
    const HandOverStrongAsserts handOver;
    stopDirectoryLoadsOnThisThreadWhen(&task.cancelled);
    try {
        task.function(task.argument);
    } catch (const HandedOverStrongAssert& assertion) {
        task.failure = assertion.text;
    }
    task.done.store(true, std::memory_order_release);
}

} // namespace

std::vector<std::unique_ptr<LoadingTask>>& LoadingTasks::tasks() {
    static std::vector<std::unique_ptr<LoadingTask>> list = [] {
        std::vector<std::unique_ptr<LoadingTask>> reserved;
        reserved.reserve(kCapacity);
        return reserved;
    }();
    return list;
}

void LoadingTasks::start(LoadingTask::Function function, void* argument) {
    auto task = std::make_unique<LoadingTask>();
    task->function = function;
    task->argument = argument;
    LoadingTask& running = *task;
    tasks().push_back(std::move(task));
    // Joinable rather than detached: shutdown must be able to wait for the worker.
    running.worker = std::thread(runTask, std::ref(running));
}

bool LoadingTasks::empty() {
    return tasks().empty();
}

bool LoadingTasks::allDone() {
    for (const auto& task : tasks()) {
        if (!task->done.load(std::memory_order_acquire)) return false;
    }
    return true;
}

std::optional<std::string> LoadingTasks::failure() {
    for (const auto& task : tasks()) {
        if (task->done.load(std::memory_order_acquire) && !task->failure.empty()) return task->failure;
    }
    return std::nullopt;
}

void LoadingTasks::clear() {
    for (const auto& task : tasks())
        task->worker.join();
    tasks().clear();
}

void LoadingTasks::stopAll() {
    for (const auto& task : tasks())
        task->cancelled.store(true, std::memory_order_release);
    clear();
}

} // namespace Qel
