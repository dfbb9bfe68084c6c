#include "QueryWatchdog.h"

namespace XQTestDev::dashboard {

QueryWatchdog::QueryWatchdog() : thread_([this] { watch(); }) {}

QueryWatchdog::~QueryWatchdog() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

std::uint64_t QueryWatchdog::arm(Clock::time_point deadline, std::function<void()> interrupt) {
    std::uint64_t ticket = 0;
    {
        std::lock_guard lock(mutex_);
        ticket = next_++;
        entries_.emplace(ticket, Entry{deadline, std::move(interrupt)});
    }
    changed_.notify_all();
    return ticket;
}

bool QueryWatchdog::disarm(std::uint64_t ticket) {
    std::lock_guard lock(mutex_);
    const auto it = entries_.find(ticket);
    if (it == entries_.end())
        return false;
    const bool fired = it->second.fired;
    entries_.erase(it);
    return fired;
}

void QueryWatchdog::watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        auto earliest = Clock::time_point::max();
        const auto now = Clock::now();
        for (auto& [ticket, entry] : entries_) {
            if (entry.fired)
                continue;
            if (entry.deadline <= now) {
                // Under the lock: disarm() cannot return, and the connection
                // behind `interrupt` cannot close, while it runs.
                entry.fired = true;
                if (entry.interrupt)
                    entry.interrupt();
            } else if (entry.deadline < earliest) {
                earliest = entry.deadline;
            }
        }
        if (earliest == Clock::time_point::max())
            changed_.wait(lock);
        else
            changed_.wait_until(lock, earliest);
    }
}

} // namespace XQTestDev::dashboard
