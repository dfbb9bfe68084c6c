#include "WorkerPool.h"

namespace XQTestDev::dashboard {

WorkerPool::WorkerPool(const DatabaseTarget& target, int count) {
    for (int index = 0; index < count; ++index)
        threads_.emplace_back([this, target, index] { work(target, index); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void WorkerPool::post(Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    queued_.notify_one();
}

void WorkerPool::work(const DatabaseTarget& target, int index) {
    // Qt names connections process-wide: one name per worker.
    DatabaseLink link(target, QStringLiteral("xq-dashboard-worker-%1").arg(index));
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            queued_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty())
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(link);
    }
}

} // namespace XQTestDev::dashboard
