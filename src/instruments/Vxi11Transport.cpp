#include "instruments/LanTransport.h"
#include "instruments/LineEnd.h"

#include <algorithm>

namespace XQTestDev {

Vxi11Transport::Vxi11Transport(InstrumentResource resource, int timeoutMs)
    : LanTransport(std::move(resource), LanConnection::Protocol::Vxi11, timeoutMs) {}

bool Vxi11Transport::write(const QByteArray& bytes) {
    return sendBytes(bytes);
}

QByteArray Vxi11Transport::read(const ReadLimit& limit) {
    if (!ensureConnected())
        return {};
    QByteArray reply(static_cast<qsizetype>(std::max(1L, limit.maxCount)), '\0');
    bool timedOut = false;
    const int received = connection_.receive(reply.data(), static_cast<int>(reply.size()),
                                             connection_.timeoutMs(), timedOut);
    if (received <= 0) {
        fail(timedOut ? TransportStatus::timedOut(QStringLiteral("no reply within the timeout"))
                      : TransportStatus::failed(transport_error::NoListener,
                                                QStringLiteral("connection lost (") +
                                                    connection_.where() + QLatin1Char(')')));
        return {};
    }
    reply.truncate(received);
    reply = withBusLineEnd(reply);
    last_ = TransportStatus::done(static_cast<long>(reply.size()));
    return reply;
}

} // namespace XQTestDev
