#pragma once
// Threads that live as long as their owner, so that a plot starts no thread of its own. A
// task posted runs once on every worker; a worker still busy with the task before takes the
// newest one when it is done. Tasks end by themselves (a plot's task when its pieces are
// done or it is stopped): the pool never interrupts one, and its end waits for them.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace tracewell::plot {

class WorkerPool {
public:
    // Receives the worker's number, 0 to size() - 1. Must not throw.
    using Task = std::function<void(int worker)>;

    // Starts up to threads workers; fewer when the system refuses more.
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int size() const { return static_cast<int>(threads_.size()); }
    void post(Task task);

    // One per processor this process may run on.
    static int processors();

private:
    void work(int worker);

    std::mutex mutex_;
    std::condition_variable posted_;
    std::shared_ptr<const Task> task_;
    std::uint64_t generation_ = 0;
    bool ending_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace tracewell::plot
