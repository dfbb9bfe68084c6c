#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

namespace XQTestDev::testing {

// A TCP relay on loopback in front of the test's PostgreSQL server that can
// be frozen: then it still takes connections (the kernel queues them) but
// neither reads nor forwards a byte, which is what a stopped or hung server
// looks like from the client. The real server, shared with other tests,
// is never stopped.
class FreezingProxy {
public:
    explicit FreezingProxy(quint16 serverPort) : serverPort_(serverPort) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(0);
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 64);
        socklen_t size = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { relay(); });
    }
    ~FreezingProxy() {
        stopping_ = true;
        thread_.join();
        for (auto [client, server] : pairs_) {
            ::close(client);
            ::close(server);
        }
        ::close(listener_);
    }
    FreezingProxy(const FreezingProxy&) = delete;
    FreezingProxy& operator=(const FreezingProxy&) = delete;

    quint16 port() const { return port_; }
    void freeze(bool frozen) { frozen_ = frozen; }

private:
    static sockaddr_in loopback(quint16 port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

    void relay() {
        while (!stopping_) {
            if (frozen_) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                continue;
            }
            std::vector<pollfd> polled{{listener_, POLLIN, 0}};
            for (auto [client, server] : pairs_) {
                polled.push_back({client, POLLIN, 0});
                polled.push_back({server, POLLIN, 0});
            }
            if (::poll(polled.data(), polled.size(), 20) <= 0 || frozen_)
                continue;
            if (polled[0].revents & POLLIN)
                accept();
            for (size_t i = 1; i < polled.size(); ++i) {
                if (!(polled[i].revents & (POLLIN | POLLHUP | POLLERR)))
                    continue;
                auto& pair = pairs_[(i - 1) / 2];
                const int from = polled[i].fd;
                const int to = from == pair.first ? pair.second : pair.first;
                char chunk[65536];
                const ssize_t n = ::recv(from, chunk, sizeof chunk, 0);
                if (n <= 0 || ::send(to, chunk, size_t(n), MSG_NOSIGNAL) != n) {
                    ::close(pair.first);
                    ::close(pair.second);
                    pair = {-1, -1}; // poll() passes over negative descriptors
                }
            }
        }
    }
    void accept() {
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0)
            return;
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(serverPort_);
        if (::connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(client);
            ::close(server);
            return;
        }
        pairs_.emplace_back(client, server);
    }

    quint16 serverPort_;
    quint16 port_ = 0;
    int listener_ = -1;
    std::atomic<bool> frozen_ = false;
    std::atomic<bool> stopping_ = false;
    std::vector<std::pair<int, int>> pairs_;
    std::thread thread_;
};

} // namespace XQTestDev::testing
