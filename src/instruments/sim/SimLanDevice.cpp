#include "SimLanDevice.h"

#include "SimReplies.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace xqsim {

SimLanDevice::SimLanDevice(Instrument instrument)
    : instrument_(std::move(instrument)), random_(std::random_device{}()) {}

SimLanDevice::Answer SimLanDevice::answer(const std::string& command) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::string key = upperCase(trimmed(command));
    Answer result;
    if (const auto failing = instrument_.failingWrites.find(key);
        failing != instrument_.failingWrites.end()) {
        result.action = Answer::Action::Fail;
        result.failCode = failing->second;
        return result;
    }
    const auto found = instrument_.queries.find(key);
    if (found == instrument_.queries.end())
        return result; // a command with nothing to say
    if (instrument_.silentAfter >= 0 && answered_ >= instrument_.silentAfter)
        return result;
    if (found->second.kind == Reply::Kind::Close) {
        result.action = Answer::Action::Close;
        return result;
    }
    result.bytes = replyBytes(found->second, random_);
    if (!result.bytes.empty()) {
        result.action = Answer::Action::Send;
        ++answered_;
    }
    return result;
}

int listenOn(const std::string& host, int port, bool datagram, int& boundPort, std::string& error) {
    const int fd = ::socket(AF_INET, (datagram ? SOCK_DGRAM : SOCK_STREAM) | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
        error = "not an IPv4 address";
        ::close(fd);
        return -1;
    }
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        (!datagram && ::listen(fd, 16) != 0)) {
        error = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    socklen_t size = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    boundPort = ntohs(address.sin_port);
    return fd;
}

bool sendAll(int fd, const std::string& bytes) {
    size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<size_t>(n);
    }
    return true;
}

} // namespace xqsim
