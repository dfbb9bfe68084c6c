#include "instruments/LanTransport.h"
#include "instruments/LineEnd.h"

#include <QElapsedTimer>

#include <algorithm>
#include <utility>

namespace XQTestDev {

RawSocketTransport::RawSocketTransport(InstrumentResource resource, int timeoutMs)
    : LanTransport(std::move(resource), LanConnection::Protocol::RawSocket, timeoutMs) {}

bool RawSocketTransport::write(const QByteArray& bytes) {
    // A socket has no END line: the line feed ends the command.
    return sendBytes(bytes.endsWith('\n') ? bytes : bytes + '\n');
}

QByteArray RawSocketTransport::read(const ReadLimit& limit) {
    if (!ensureConnected())
        return {};
    QByteArray reply = std::exchange(pending_, {});
    QElapsedTimer clock;
    clock.start();
    const int timeoutMs = connection_.timeoutMs();
    const qsizetype room = std::max(1L, limit.maxCount);
    for (;;) {
        const qsizetype end =
            limit.terminator >= 0 ? reply.indexOf(static_cast<char>(limit.terminator)) : -1;
        if (end >= 0 && end < room) {
            pending_ = reply.mid(end + 1); // the start of a later reply
            reply.truncate(end + 1);
            break;
        }
        if (reply.size() >= room) {
            fail(TransportStatus::failed(transport_error::BufferFull,
                                         QStringLiteral("reply longer than ") +
                                             QString::number(room) + QStringLiteral(" bytes")));
            return {};
        }
        const int remaining = timeoutMs - static_cast<int>(clock.elapsed());
        bool timedOut = remaining <= 0;
        // One buffer for the life of the transport: no 64 KiB to clear per read.
        if (static_cast<qsizetype>(scratch_.size()) < room)
            scratch_.resize(static_cast<size_t>(room));
        const int received =
            timedOut ? -1
                     : connection_.receive(scratch_.data(), static_cast<int>(room - reply.size()),
                                           remaining, timedOut);
        if (received > 0) {
            reply.append(scratch_.data(), received);
            continue;
        }
        if (received == 0)
            fail(TransportStatus::failed(transport_error::NoListener,
                                         QStringLiteral("connection closed by the instrument (") +
                                             connection_.where() + QLatin1Char(')')));
        else if (timedOut)
            fail(TransportStatus::timedOut(
                reply.isEmpty() ? QStringLiteral("no reply within the timeout")
                                : QStringLiteral("reply without terminator (") +
                                      QString::number(reply.size()) + QStringLiteral(" bytes)")));
        else
            fail(TransportStatus::failed(transport_error::NoListener,
                                         QStringLiteral("connection lost (") + connection_.where() +
                                             QLatin1Char(')')));
        return {};
    }
    reply = withBusLineEnd(reply);
    last_ = TransportStatus::done(static_cast<long>(reply.size()));
    return reply;
}

} // namespace XQTestDev
