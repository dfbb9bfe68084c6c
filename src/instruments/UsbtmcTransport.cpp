#include "instruments/UsbtmcTransport.h"

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

namespace XQTestDev {

UsbtmcTransport::UsbtmcTransport(InstrumentResource resource, int timeoutMs, UsbtmcPlaces places)
    : resource_(std::move(resource)), timeoutMs_(timeoutMs), places_(std::move(places)) {}

UsbtmcTransport::~UsbtmcTransport() {
    dropDevice();
}

void UsbtmcTransport::dropDevice() {
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
    QByteArray reply(static_cast<qsizetype>(std::max(1L, limit.maxCount)), '\0');
    qsizetype filled = 0;
    QElapsedTimer clock;
    clock.start();
    while (limit.terminator < 0 || filled == 0 ||
           reply.at(filled - 1) != static_cast<char>(limit.terminator)) {
        if (filled == reply.size()) {
            last_ = TransportStatus::failed(transport_error::BufferFull,
                                            QStringLiteral("reply longer than ") +
                                                QString::number(reply.size()) +
                                                QStringLiteral(" bytes"));
            return {};
        }
        if (!waitFor(POLLIN, timeoutMs_ - static_cast<int>(clock.elapsed()))) {
            last_ = TransportStatus::timedOut(
                filled == 0 ? QStringLiteral("no reply within the timeout")
                            : QStringLiteral("reply without terminator (") +
                                  QString::number(filled) + QStringLiteral(" bytes)"));
            return {};
        }
        const ssize_t got =
            ::read(fd_, reply.data() + filled, static_cast<size_t>(reply.size() - filled));
        if (got < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (got <= 0) {
            failFromSystem(got == 0 ? EIO : errno, "cannot read from");
            return {};
        }
        filled += got;
        if (limit.terminator < 0)
            break; // the driver ends a message itself
    }
    reply.truncate(filled);
    if (reply.endsWith("\r\n"))
        reply.remove(reply.size() - 2, 1);
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
