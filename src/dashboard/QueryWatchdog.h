#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace XQTestDev::dashboard {

// Cuts a request's database work short when its deadline passes. The
// server's own statement time-out covers a slow query; this covers a server
// that answers nothing at all (frozen, unplugged), which cancels nothing.
class QueryWatchdog {
public:
    using Clock = std::chrono::steady_clock;

    QueryWatchdog();
    ~QueryWatchdog();
    QueryWatchdog(const QueryWatchdog&) = delete;
    QueryWatchdog& operator=(const QueryWatchdog&) = delete;

    // `interrupt` runs once on the watchdog's thread if the deadline passes
    // before disarm(). Returns the ticket for disarm().
    std::uint64_t arm(Clock::time_point deadline, std::function<void()> interrupt);
    // True when the deadline had passed and the work was interrupted.
    bool disarm(std::uint64_t ticket);

private:
    struct Entry {
        Clock::time_point deadline;
        std::function<void()> interrupt;
        bool fired = false;
    };
    void watch();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::uint64_t, Entry> entries_;
    std::uint64_t next_ = 1;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace XQTestDev::dashboard
