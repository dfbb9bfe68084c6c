#pragma once

#include "instruments/Transport.h"

#include <QByteArray>
#include <QString>

namespace XQTestDev {

// One liblxi session to a LAN instrument: the host resolved within the
// timeout, the connection made (raw socket or VXI-11), bytes sent and
// received. liblxi says only that something failed; the reason is found
// here (the resolver's answer, the socket's own error) for the message.
class LanConnection {
public:
    enum class Protocol { RawSocket, Vxi11 };

    LanConnection(Protocol protocol, QString host, int port, QString device, int timeoutMs);
    ~LanConnection();
    LanConnection(const LanConnection&) = delete;
    LanConnection& operator=(const LanConnection&) = delete;

    bool connect(TransportStatus& status);
    bool isConnected() const { return session_ >= 0; }
    int session() const { return session_; }
    void disconnect();
    bool send(const QByteArray& bytes, TransportStatus& status);

    // One receive into `buffer`: the bytes received, 0 when the instrument
    // closed the connection, -1 on a failure; `timedOut` tells which.
    int receive(char* buffer, int length, int timeoutMs, bool& timedOut);

    int timeoutMs() const { return timeoutMs_; }
    QString where() const; // "host:port" for messages

private:
    QString whyNotConnected() const;

    Protocol protocol_;
    QString host_;
    int port_;
    QString device_;
    int timeoutMs_;
    int session_ = -1;
};

} // namespace XQTestDev
