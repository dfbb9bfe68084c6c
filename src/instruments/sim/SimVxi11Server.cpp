#include "SimVxi11Server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace xqsim {

namespace {

constexpr uint32_t PortmapperProgram = 100000;
constexpr uint32_t CoreProgram = 0x0607AF;
constexpr uint32_t TcpProtocol = 6;
constexpr int PortmapperPort = 111;

enum : uint32_t { Success = 0, ProgramUnavailable = 1, ProcedureUnavailable = 3 };
enum : uint32_t { NoError = 0, NotSupported = 8, IoTimeout = 15 };
enum : uint32_t { ReasonRequestCount = 1, ReasonEnd = 4 };

// XDR: big-endian 32-bit words, opaque data padded to a word.
class XdrIn {
public:
    explicit XdrIn(const std::string& bytes) : bytes_(bytes) {}
    uint32_t word() {
        if (at_ + 4 > bytes_.size()) {
            ok_ = false;
            return 0;
        }
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(bytes_[at_++]);
        return value;
    }
    std::string opaque() {
        const uint32_t size = word();
        if (!ok_ || size > bytes_.size() - at_) {
            ok_ = false;
            return {};
        }
        std::string data = bytes_.substr(at_, size);
        at_ += (size + 3) & ~3u;
        return data;
    }
    bool ok() const { return ok_; }

private:
    const std::string& bytes_;
    size_t at_ = 0;
    bool ok_ = true;
};

class XdrOut {
public:
    void word(uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes_ += static_cast<char>((value >> shift) & 0xFF);
    }
    void opaque(const std::string& data) {
        word(static_cast<uint32_t>(data.size()));
        bytes_ += data;
        bytes_.append((4 - data.size() % 4) % 4, '\0');
    }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

struct Call {
    uint32_t xid = 0, program = 0, version = 0, procedure = 0;
};

bool readCall(XdrIn& in, Call& call) {
    call.xid = in.word();
    const uint32_t type = in.word();
    const uint32_t rpcVersion = in.word();
    call.program = in.word();
    call.version = in.word();
    call.procedure = in.word();
    in.word(); // credential flavour
    in.opaque();
    in.word(); // verifier flavour
    in.opaque();
    return in.ok() && type == 0 && rpcVersion == 2;
}

XdrOut replyHeader(const Call& call, uint32_t acceptStatus) {
    XdrOut out;
    out.word(call.xid);
    out.word(1); // reply
    out.word(0); // accepted
    out.word(0); // verifier: none
    out.word(0);
    out.word(acceptStatus);
    return out;
}

std::string universalAddress(const std::string& host, int port) {
    return host + "." + std::to_string(port >> 8) + "." + std::to_string(port & 0xFF);
}

// The portmapper's answer to one call: the core channel's port or address.
std::string portmapperReply(const std::string& request, const std::string& host, int corePort) {
    XdrIn in(request);
    Call call;
    if (!readCall(in, call))
        return {};
    if (call.program != PortmapperProgram)
        return replyHeader(call, ProgramUnavailable).bytes();
    XdrOut out = replyHeader(call, Success);
    if (call.procedure == 0)
        return out.bytes();
    if (call.procedure != 3 && !(call.version == 4 && call.procedure == 9))
        return replyHeader(call, ProcedureUnavailable).bytes();
    const uint32_t program = in.word();
    in.word(); // version
    if (call.version == 2) {
        const uint32_t protocol = in.word();
        out.word(program == CoreProgram && protocol == TcpProtocol ? corePort : 0);
    } else {
        const std::string netid = in.opaque();
        out.opaque(program == CoreProgram && netid == "tcp" ? universalAddress(host, corePort)
                                                            : std::string());
    }
    return out.bytes();
}

// One record of the TCP record marking: fragments up to the last one.
bool readRecord(int fd, std::string& record) {
    record.clear();
    for (bool last = false; !last;) {
        unsigned char header[4];
        size_t got = 0;
        while (got < 4) {
            const ssize_t n = ::recv(fd, header + got, 4 - got, 0);
            if (n <= 0)
                return false;
            got += static_cast<size_t>(n);
        }
        const uint32_t mark = (uint32_t{header[0]} << 24) | (uint32_t{header[1]} << 16) |
                              (uint32_t{header[2]} << 8) | header[3];
        last = (mark & 0x80000000u) != 0;
        size_t size = mark & 0x7FFFFFFFu;
        if (size > (1u << 24))
            return false;
        std::string fragment(size, '\0');
        for (size_t at = 0; at < size;) {
            const ssize_t n = ::recv(fd, fragment.data() + at, size - at, 0);
            if (n <= 0)
                return false;
            at += static_cast<size_t>(n);
        }
        record += fragment;
    }
    return true;
}

bool sendRecord(int fd, const std::string& record) {
    const auto size = static_cast<uint32_t>(record.size()) | 0x80000000u;
    std::string framed;
    for (int shift = 24; shift >= 0; shift -= 8)
        framed += static_cast<char>((size >> shift) & 0xFF);
    return sendAll(fd, framed + record);
}

// One client of the core channel and what its last write asked for.
class CoreLink {
public:
    explicit CoreLink(SimLanDevice& device) : device_(device) {}

    // The reply record, or empty to drop the connection.
    std::string handle(const std::string& request) {
        XdrIn in(request);
        Call call;
        if (!readCall(in, call))
            return {};
        if (call.program != CoreProgram)
            return replyHeader(call, ProgramUnavailable).bytes();
        XdrOut out = replyHeader(call, Success);
        switch (call.procedure) {
        case 10: // create_link
            out.word(NoError);
            out.word(++links_);
            out.word(0);       // abort port
            out.word(1 << 20); // largest write taken
            return out.bytes();
        case 11: // device_write
            return write(in, out);
        case 12: // device_read
            return read(in, out);
        case 15: // device_clear
        case 23: // destroy_link
            pending_.clear();
            out.word(NoError);
            return out.bytes();
        default:
            out.word(NotSupported);
            return out.bytes();
        }
    }

private:
    std::string write(XdrIn& in, XdrOut& out) {
        for (int i = 0; i < 4; ++i)
            in.word(); // link, io timeout, lock timeout, flags
        const std::string data = in.opaque();
        const SimLanDevice::Answer answer = device_.answer(data);
        using Action = SimLanDevice::Answer::Action;
        if (answer.action == Action::Close)
            return {};
        if (answer.action == Action::Fail) {
            out.word(static_cast<uint32_t>(answer.failCode));
            out.word(0);
            return out.bytes();
        }
        pending_ = answer.bytes;
        out.word(NoError);
        out.word(static_cast<uint32_t>(data.size()));
        return out.bytes();
    }

    std::string read(XdrIn& in, XdrOut& out) {
        in.word(); // link
        const uint32_t requestSize = in.word();
        const uint32_t ioTimeout = in.word();
        if (pending_.empty()) {
            // Nothing to say: the instrument lets the read run out.
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ioTimeout, 60000u)));
            out.word(IoTimeout);
            out.word(0);
            out.opaque({});
            return out.bytes();
        }
        if (device_.delayMs() > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(device_.delayMs()));
        const size_t size = std::min<size_t>(pending_.size(), std::max(1u, requestSize));
        out.word(NoError);
        out.word(size == pending_.size() ? ReasonEnd : ReasonRequestCount);
        out.opaque(pending_.substr(0, size));
        pending_.erase(0, size);
        return out.bytes();
    }

    SimLanDevice& device_;
    uint32_t links_ = 0;
    std::string pending_;
};

void serveCoreClient(int fd, SimLanDevice& device) {
    CoreLink link(device);
    std::string request;
    while (readRecord(fd, request)) {
        const std::string reply = link.handle(request);
        if (reply.empty() || !sendRecord(fd, reply))
            break;
    }
    ::close(fd);
}

void servePortmapperStream(int fd, std::string host, int corePort) {
    std::string request;
    while (readRecord(fd, request)) {
        const std::string reply = portmapperReply(request, host, corePort);
        if (reply.empty() || !sendRecord(fd, reply))
            break;
    }
    ::close(fd);
}

void acceptForever(int listening, std::function<void(int)> serve) {
    for (;;) {
        const int client = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0)
            std::thread(serve, client).detach();
    }
}

} // namespace

bool serveVxi11(SimLanDevice& device, const std::string& host, int port, int& boundPort,
                std::string& error) {
    int unused = 0;
    const int core = listenOn(host, port, false, boundPort, error);
    if (core < 0)
        return false;
    const int mapperStream = listenOn(host, PortmapperPort, false, unused, error);
    const int mapperDatagram =
        mapperStream < 0 ? -1 : listenOn(host, PortmapperPort, true, unused, error);
    if (mapperStream < 0 || mapperDatagram < 0) {
        error = "portmapper on " + host + ":111: " + error;
        return false;
    }
    const int corePort = boundPort;
    std::thread(acceptForever, core, [&device](int fd) { serveCoreClient(fd, device); }).detach();
    std::thread(acceptForever, mapperStream, [host, corePort](int fd) {
        servePortmapperStream(fd, host, corePort);
    }).detach();
    std::thread([mapperDatagram, host, corePort] {
        std::string request(65536, '\0');
        for (;;) {
            sockaddr_in peer{};
            socklen_t size = sizeof peer;
            const ssize_t n = ::recvfrom(mapperDatagram, request.data(), request.size(), 0,
                                         reinterpret_cast<sockaddr*>(&peer), &size);
            if (n <= 0)
                continue;
            const std::string reply =
                portmapperReply(request.substr(0, static_cast<size_t>(n)), host, corePort);
            if (!reply.empty())
                ::sendto(mapperDatagram, reply.data(), reply.size(), 0,
                         reinterpret_cast<const sockaddr*>(&peer), size);
        }
    }).detach();
    return true;
}

} // namespace xqsim
