#include "instruments/UsbtmcTransport.h"
#include "instruments/LineEnd.h"

#include <QElapsedTimer>
#include <QFile>

#include <fcntl.h>
#include <linux/usb/tmc.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace XQTestDev {

UsbtmcTransport::UsbtmcTransport(InstrumentResource resource, int timeoutMs, UsbtmcPlaces places)
    : resource_(std::move(resource)), timeoutMs_(timeoutMs), places_(std::move(places)) {}

UsbtmcTransport::~UsbtmcTransport() {
    dropDevice();
}

void UsbtmcTransport::dropDevice() {
    pending_.clear();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void UsbtmcTransport::failFromSystem(int error, const char* doing) {
    const bool gone = error == ENODEV || error == ENOENT || error == EPIPE || error == EIO;
    const QString reason = QString::fromLatin1(doing) + QStringLiteral(" ") + node_ +
                           QStringLiteral(": ") +
                           QString::fromLocal8Bit(std::strerror(error)).toLower();
    last_ = error == ETIMEDOUT ? TransportStatus::timedOut(reason)
            : gone             ? TransportStatus::failed(transport_error::NoListener, reason)
                               : TransportStatus::failed(transport_error::SystemError, reason);
    dropDevice();
}

bool UsbtmcTransport::open() {
    const UsbtmcMatch match = findUsbtmcNode(resource_, places_);
    if (match.node.isEmpty()) {
        last_ = TransportStatus::failed(transport_error::NoListener, match.reason);
        return false;
    }
    node_ = match.node;
    opened_ = ensureOpen();
    return opened_;
}

bool UsbtmcTransport::ensureOpen() {
    if (fd_ >= 0)
        return true;
    fd_ = ::open(QFile::encodeName(node_).constData(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) {
        failFromSystem(errno, "cannot open");
        return false;
    }
    auto milliseconds = static_cast<__u32>(timeoutMs_);
    kernelTimeout_ = ::ioctl(fd_, USBTMC_IOCTL_SET_TIMEOUT, &milliseconds) == 0;
    if (!kernelTimeout_) // polled: the node must not block a read or write
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    last_ = TransportStatus::done(0);
    return true;
}

bool UsbtmcTransport::waitFor(short events, int remainingMs) {
    if (kernelTimeout_)
        return true;
    pollfd wait{fd_, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&wait, 1, std::max(0, remainingMs));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool UsbtmcTransport::write(const QByteArray& bytes) {
    if (!ensureOpen())
        return false;
    const QByteArray message = bytes.endsWith('\n') ? bytes : bytes + '\n';
    QElapsedTimer clock;
    clock.start();
    qsizetype sent = 0;
    while (sent < message.size()) {
        if (!waitFor(POLLOUT, timeoutMs_ - static_cast<int>(clock.elapsed()))) {
            last_ = TransportStatus::timedOut(QStringLiteral("device did not take the command"));
            return false;
        }
        const ssize_t written =
            ::write(fd_, message.constData() + sent, static_cast<size_t>(message.size() - sent));
        if (written < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (written < 0) {
            failFromSystem(errno, "cannot write to");
            return false;
        }
        sent += written;
    }
    last_ = TransportStatus::done(static_cast<long>(sent));
    return true;
}

QByteArray UsbtmcTransport::read(const ReadLimit& limit) {
    if (!ensureOpen())
        return {};
    QByteArray reply = std::exchange(pending_, {});
    const qsizetype room = std::max(1L, limit.maxCount);
    QElapsedTimer clock;
    clock.start();
    for (bool first = true;; first = false) {
        const qsizetype end =
            limit.terminator >= 0 ? reply.indexOf(static_cast<char>(limit.terminator)) : -1;
        if (end >= 0 && end < room) {
            pending_ = reply.mid(end + 1);
            reply.truncate(end + 1);
            break;
        }
        if (limit.terminator < 0 && !first)
            break; // the driver ends a message itself
        if (reply.size() >= room) {
            last_ = TransportStatus::failed(transport_error::BufferFull,
                                            QStringLiteral("reply longer than ") +
                                                QString::number(room) + QStringLiteral(" bytes"));
            return {};
        }
        if (!waitFor(POLLIN, timeoutMs_ - static_cast<int>(clock.elapsed()))) {
            last_ = TransportStatus::timedOut(
                reply.isEmpty() ? QStringLiteral("no reply within the timeout")
                                : QStringLiteral("reply without terminator (") +
                                      QString::number(reply.size()) + QStringLiteral(" bytes)"));
            return {};
        }
        QByteArray chunk(room - reply.size(), '\0');
        const ssize_t got = ::read(fd_, chunk.data(), static_cast<size_t>(chunk.size()));
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (got <= 0) {
            failFromSystem(got == 0 ? EIO : errno, "cannot read from");
            return {};
        }
        reply.append(chunk.constData(), got);
    }
    reply = withBusLineEnd(reply);
    last_ = TransportStatus::done(static_cast<long>(reply.size()));
    return reply;
}

bool UsbtmcTransport::clear() {
    if (!ensureOpen())
        return false;
    if (::ioctl(fd_, USBTMC_IOCTL_CLEAR) != 0) {
        failFromSystem(errno, "cannot clear");
        return false;
    }
    last_ = TransportStatus::done(0);
    return true;
}

void UsbtmcTransport::close() {
    dropDevice();
    opened_ = false;
}

} // namespace XQTestDev
