#include "plot/worker_pool.h"

#include <sched.h>

#include <algorithm>
#include <system_error>

namespace tracewell::plot {

WorkerPool::WorkerPool(int threads) {
    for (int i = 0; i < threads; ++i) {
        try {
            threads_.emplace_back([this, i] { work(i); });
        } catch (const std::system_error&) {
            break;  // the system has no more threads to give: make do with those started
        }
    }
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    posted_.notify_all();
    for (std::thread& t : threads_) t.join();
}

void WorkerPool::post(Task task) {
    auto shared = std::make_shared<const Task>(std::move(task));
    {
        std::lock_guard lock(mutex_);
        task_ = std::move(shared);
        ++generation_;
    }
    posted_.notify_all();
}

void WorkerPool::work(int worker) {
    std::uint64_t seen = 0;
    for (;;) {
        std::shared_ptr<const Task> task;
        {
            std::unique_lock lock(mutex_);
            posted_.wait(lock, [&] { return ending_ || generation_ != seen; });
            if (ending_) return;
            seen = generation_;
            task = task_;
        }
        try {
            (*task)(worker);
        } catch (...) {
            // A task catches what it can meet; nothing may end the thread and the program.
        }
    }
}

int WorkerPool::processors() {
#if defined(__linux__)
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
#endif
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace tracewell::plot
