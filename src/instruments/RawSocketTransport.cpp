#include "instruments/LanTransport.h"

#include <QElapsedTimer>

#include <algorithm>

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
    QByteArray reply(static_cast<qsizetype>(std::max(0L, limit.maxCount)), '\0');
    qsizetype filled = 0;
    QElapsedTimer clock;
    clock.start();
    const int timeoutMs = connection_.timeoutMs();
    const auto complete = [&] {
        return limit.terminator >= 0 && filled > 0 &&
               reply.at(filled - 1) == static_cast<char>(limit.terminator);
    };
    while (!complete()) {
        if (filled == reply.size()) {
            fail(TransportStatus::failed(transport_error::BufferFull,
                                         QStringLiteral("reply longer than ") +
                                             QString::number(reply.size()) +
                                             QStringLiteral(" bytes")));
            return {};
        }
        const int remaining = timeoutMs - static_cast<int>(clock.elapsed());
        bool timedOut = remaining <= 0;
        const int received = timedOut ? -1
                                      : connection_.receive(reply.data() + filled,
                                                            static_cast<int>(reply.size() - filled),
                                                            remaining, timedOut);
        if (received > 0) {
            filled += received;
            continue;
        }
        if (received == 0)
            fail(TransportStatus::failed(transport_error::NoListener,
                                         QStringLiteral("connection closed by the instrument (") +
                                             connection_.where() + QLatin1Char(')')));
        else if (timedOut)
            fail(TransportStatus::timedOut(
                filled == 0 ? QStringLiteral("no reply within the timeout")
                            : QStringLiteral("reply without terminator (") +
                                  QString::number(filled) + QStringLiteral(" bytes)")));
        else
            fail(TransportStatus::failed(transport_error::NoListener,
                                         QStringLiteral("connection lost (") + connection_.where() +
                                             QLatin1Char(')')));
        return {};
    }
    reply.truncate(filled);
    // One line end as the GPIB bus gives it: a carriage return before it goes.
    if (reply.endsWith("\r\n"))
        reply.remove(reply.size() - 2, 1);
    last_ = TransportStatus::done(static_cast<long>(reply.size()));
    return reply;
}

} // namespace XQTestDev
