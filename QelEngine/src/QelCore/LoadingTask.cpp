#include "QelCore/LoadingTask.h"

#include <thread>

namespace Qel {

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
    LoadingTask* running = task.get();
    tasks().push_back(std::move(task));
    std::thread([running] {
        running->function(running->argument);
        running->done.store(true, std::memory_order_release);
    }).detach();
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

void LoadingTasks::clear() {
    tasks().clear();
}

} // namespace Qel
