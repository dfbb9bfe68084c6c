#pragma once

#include "DatabaseLink.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace XQTestDev::dashboard {

// The threads that answer the pages, each with its own database connection
// (a connection belongs to the thread that opened it). Jobs run in the order
// posted; the destructor finishes the queued ones, then closes each
// connection on its own thread.
class WorkerPool {
public:
    using Job = std::function<void(DatabaseLink&)>;

    WorkerPool(const DatabaseTarget& target, int count);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void post(Job job);

private:
    void work(const DatabaseTarget& target, int index);

    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace XQTestDev::dashboard
