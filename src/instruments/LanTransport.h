#pragma once

#include "instruments/InstrumentResource.h"
#include "instruments/LanConnection.h"
#include "instruments/Transport.h"

#include <vector>

namespace XQTestDev {

// What the raw socket and VXI-11 transports share: a connection made again
// by the next operation after it was lost, and dropped after any failure so
// that a late reply never answers the next query.
class LanTransport : public Transport {
public:
    LanTransport(InstrumentResource resource, LanConnection::Protocol protocol, int timeoutMs);

    bool open() override;
    bool isOpen() const override { return opened_; }
    int handle() const override { return connection_.session(); }
    bool clear() override;
    void close() override;
    QString resourceName() const override { return resource_.canonical(); }

protected:
    // Connected, reconnecting after a loss; false with the status set.
    bool ensureConnected();
    bool sendBytes(const QByteArray& bytes);
    void fail(const TransportStatus& status);

    InstrumentResource resource_;
    LanConnection connection_;
    bool opened_ = false;
    QByteArray pending_; // received after the last reply's terminator
};

// SCPI over a raw TCP socket (LXI instruments listen on 5025): commands end
// in a line feed, a reply runs up to its line feed.
class RawSocketTransport : public LanTransport {
public:
    RawSocketTransport(InstrumentResource resource, int timeoutMs);

    bool write(const QByteArray& bytes) override;
    QByteArray read(const ReadLimit& limit) override;

private:
    std::vector<char> scratch_;
};

// VXI-11 through liblxi: the instrument ends each reply itself.
class Vxi11Transport : public LanTransport {
public:
    Vxi11Transport(InstrumentResource resource, int timeoutMs);

    bool write(const QByteArray& bytes) override;
    QByteArray read(const ReadLimit& limit) override;
};

} // namespace XQTestDev
