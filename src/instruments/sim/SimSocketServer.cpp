#include "SimSocketServer.h"

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace xqsim {

namespace {

// Returns when the client or the instrument ends the connection.
void serveClient(int fd, SimLanDevice& device) {
    std::string received;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received.append(buffer, static_cast<size_t>(n));
        for (size_t end = received.find('\n'); end != std::string::npos;
             end = received.find('\n')) {
            const std::string command = received.substr(0, end);
            received.erase(0, end + 1);
            const SimLanDevice::Answer answer = device.answer(command);
            using Action = SimLanDevice::Answer::Action;
            if (answer.action == Action::Close || answer.action == Action::Fail) {
                ::close(fd);
                return;
            }
            if (answer.action != Action::Send)
                continue;
            if (device.delayMs() > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(device.delayMs()));
            if (!sendAll(fd, answer.bytes)) {
                ::close(fd);
                return;
            }
        }
    }
    ::close(fd);
}

} // namespace

bool serveSocket(SimLanDevice& device, const std::string& host, int port, int& boundPort,
                 std::string& error) {
    const int listening = listenOn(host, port, false, boundPort, error);
    if (listening < 0)
        return false;
    std::thread([listening, &device] {
        for (;;) {
            const int client = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0)
                std::thread(serveClient, client, std::ref(device)).detach();
        }
    }).detach();
    return true;
}

} // namespace xqsim
