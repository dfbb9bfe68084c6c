#include "instruments/LanConnection.h"

#include <QElapsedTimer>

#include <arpa/inet.h>
#include <fcntl.h>
#include <lxi.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

namespace XQTestDev {

namespace {

constexpr int PortmapperPort = 111;

void initialiseLxiOnce() {
    static std::once_flag once;
    std::call_once(once, [] { lxi_init(); });
}

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error)).toLower();
}

// A write to a connection the instrument closed raises SIGPIPE, which would
// end the station program: held back on this thread for the call and taken
// away if it came.
class PipeSignalHeld {
public:
    PipeSignalHeld() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        alreadyPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~PipeSignalHeld() {
        sigset_t pending;
        sigpending(&pending);
        if (!alreadyPending_ && sigismember(&pending, SIGPIPE) == 1) {
            const timespec now{0, 0};
            sigtimedwait(&pipe_, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    PipeSignalHeld(const PipeSignalHeld&) = delete;
    PipeSignalHeld& operator=(const PipeSignalHeld&) = delete;

private:
    sigset_t pipe_{};
    sigset_t previous_{};
    bool alreadyPending_ = false;
};

struct Resolved {
    QString address; // numeric IPv4, empty when the host did not resolve
    QString reason;
};

// The resolver may wait on a name server: asked asynchronously and given up
// when the timeout is spent.
Resolved resolveHost(const QString& host, int timeoutMs) {
    const QByteArray name = host.toUtf8();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    gaicb request{};
    request.ar_name = name.constData();
    request.ar_request = &hints;
    gaicb* list[] = {&request};
    if (getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) != 0)
        return {{}, QStringLiteral("host ") + host + QStringLiteral(" cannot be looked up")};
    const timespec wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000000L};
    gai_suspend(list, 1, &wait);
    int result = gai_error(&request);
    if (result == EAI_INPROGRESS) {
        gai_cancel(&request);
        // A lookup that cannot be cancelled any more finishes on its own.
        while ((result = gai_error(&request)) == EAI_INPROGRESS)
            gai_suspend(list, 1, nullptr);
        if (result == 0)
            freeaddrinfo(request.ar_result);
        return {{}, QStringLiteral("host ") + host + QStringLiteral(" did not resolve in time")};
    }
    if (result != 0 || !request.ar_result)
        return {{},
                QStringLiteral("host ") + host + QStringLiteral(" does not resolve (") +
                    QString::fromLocal8Bit(gai_strerror(result)).toLower() + QLatin1Char(')')};
    char text[INET_ADDRSTRLEN] = {};
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(request.ar_result->ai_addr);
    inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text);
    freeaddrinfo(request.ar_result);
    return {QString::fromLatin1(text), {}};
}

// The socket's own answer to a connection attempt, within `timeoutMs`.
QString probeConnection(const QString& address, int port, int timeoutMs) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return systemText(errno);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, address.toLatin1().constData(), &peer.sin_addr);
    QString reason;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        if (errno != EINPROGRESS) {
            reason = systemText(errno);
        } else {
            pollfd wait{fd, POLLOUT, 0};
            if (::poll(&wait, 1, timeoutMs) <= 0) {
                reason = QStringLiteral("connection timed out");
            } else {
                int error = 0;
                socklen_t size = sizeof error;
                getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size);
                if (error != 0)
                    reason = systemText(error);
            }
        }
    }
    ::close(fd);
    return reason;
}

} // namespace

LanConnection::LanConnection(Protocol protocol, QString host, int port, QString device,
                             int timeoutMs)
    : protocol_(protocol), host_(std::move(host)), port_(port), device_(std::move(device)),
      timeoutMs_(timeoutMs) {}

LanConnection::~LanConnection() {
    disconnect();
}

QString LanConnection::where() const {
    return protocol_ == Protocol::RawSocket
               ? host_ + QLatin1Char(':') + QString::number(port_)
               : host_ + QStringLiteral(" (") + device_ + QLatin1Char(')');
}

QString LanConnection::whyNotConnected() const {
    if (protocol_ == Protocol::Vxi11)
        return QStringLiteral("no VXI-11 device ") + device_ + QStringLiteral(" at ") + host_;
    return QStringLiteral("connection failed (") + where() + QLatin1Char(')');
}

bool LanConnection::connect(TransportStatus& status) {
    disconnect();
    initialiseLxiOnce();
    QElapsedTimer clock;
    clock.start();
    const Resolved resolved = resolveHost(host_, timeoutMs_);
    if (resolved.address.isEmpty()) {
        status = TransportStatus::failed(transport_error::NoListener, resolved.reason);
        return false;
    }
    // Asked first: liblxi can take a refused socket for a connected one, and
    // the RPC library waits far beyond TimeOut for a portmapper that is not
    // there.
    const int probedPort = protocol_ == Protocol::RawSocket ? port_ : PortmapperPort;
    const QString refused = probeConnection(
        resolved.address, probedPort, std::max(1, timeoutMs_ - static_cast<int>(clock.elapsed())));
    if (!refused.isEmpty()) {
        const QString reason = refused + QStringLiteral(" (") + host_ + QLatin1Char(':') +
                               QString::number(probedPort) + QLatin1Char(')');
        status = refused == QStringLiteral("connection timed out")
                     ? TransportStatus::timedOut(reason)
                     : TransportStatus::failed(transport_error::NoListener, reason);
        return false;
    }
    const int remaining = std::max(1, timeoutMs_ - static_cast<int>(clock.elapsed()));
    const QByteArray address = resolved.address.toLatin1();
    const QByteArray device = device_.toLatin1();
    session_ = lxi_connect(address.constData(), protocol_ == Protocol::RawSocket ? port_ : 0,
                           protocol_ == Protocol::Vxi11 ? device.constData() : nullptr, remaining,
                           protocol_ == Protocol::RawSocket ? RAW : VXI11);
    if (session_ >= 0) {
        status = TransportStatus::done(0);
        return true;
    }
    session_ = -1;
    const int left = timeoutMs_ - static_cast<int>(clock.elapsed());
    if (left <= 0) {
        status = TransportStatus::timedOut(QStringLiteral("connection timed out (") + where() +
                                           QLatin1Char(')'));
        return false;
    }
    status = TransportStatus::failed(transport_error::NoListener, whyNotConnected());
    return false;
}

void LanConnection::disconnect() {
    if (session_ < 0)
        return;
    const PipeSignalHeld held;
    lxi_disconnect(session_);
    session_ = -1;
}

bool LanConnection::send(const QByteArray& bytes, TransportStatus& status) {
    QElapsedTimer clock;
    clock.start();
    int sent = -1;
    {
        const PipeSignalHeld held;
        sent = lxi_send(session_, bytes.constData(), static_cast<int>(bytes.size()), timeoutMs_);
    }
    if (sent == static_cast<int>(bytes.size())) {
        status = TransportStatus::done(sent);
        return true;
    }
    status = clock.elapsed() >= timeoutMs_
                 ? TransportStatus::timedOut(QStringLiteral("no room to send within the timeout"))
                 : TransportStatus::failed(transport_error::NoListener,
                                           QStringLiteral("connection lost (") + where() +
                                               QLatin1Char(')'));
    return false;
}

int LanConnection::receive(char* buffer, int length, int timeoutMs, bool& timedOut) {
    QElapsedTimer clock;
    clock.start();
    const int received = lxi_receive(session_, buffer, length, std::max(1, timeoutMs));
    // liblxi answers -1 for a timeout and for a broken connection alike.
    timedOut = received < 0 && clock.elapsed() + 1 >= timeoutMs;
    return received;
}

} // namespace XQTestDev
