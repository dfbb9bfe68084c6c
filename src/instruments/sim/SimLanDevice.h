#pragma once

#include "SimBusFile.h"

#include <mutex>
#include <random>
#include <string>

namespace xqsim {

// One LAN instrument's answers, shared by all its connections.
class SimLanDevice {
public:
    struct Answer {
        enum class Action { Nothing, Send, Close, Fail };
        Action action = Action::Nothing;
        std::string bytes; // Send
        int failCode = 0;  // Fail: the command's `fail` code
    };

    explicit SimLanDevice(Instrument instrument);

    // What the instrument does on receiving one command.
    Answer answer(const std::string& command);
    int delayMs() const { return instrument_.delayMs; }
    const std::string& name() const { return instrument_.name; }

private:
    std::mutex mutex_;
    Instrument instrument_;
    std::mt19937 random_;
    int answered_ = 0;
};

// A listening socket on host:port (0: any free port); -1 with `error` set.
int listenOn(const std::string& host, int port, bool datagram, int& boundPort, std::string& error);

// Sends all of `bytes`; false when the peer is gone.
bool sendAll(int fd, const std::string& bytes);

} // namespace xqsim
