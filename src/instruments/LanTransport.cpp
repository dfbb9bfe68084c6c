#include "instruments/LanTransport.h"

namespace XQTestDev {

LanTransport::LanTransport(InstrumentResource resource, LanConnection::Protocol protocol,
                           int timeoutMs)
    : resource_(std::move(resource)),
      connection_(protocol, resource_.host, resource_.port, resource_.device, timeoutMs) {}

bool LanTransport::open() {
    opened_ = connection_.connect(last_);
    return opened_;
}

bool LanTransport::ensureConnected() {
    return connection_.isConnected() || connection_.connect(last_);
}

void LanTransport::fail(const TransportStatus& status) {
    last_ = status;
    pending_.clear();
    connection_.disconnect();
}

bool LanTransport::sendBytes(const QByteArray& bytes) {
    if (!ensureConnected())
        return false;
    if (!connection_.send(bytes, last_)) {
        fail(last_);
        return false;
    }
    return true;
}

bool LanTransport::clear() {
    // A fresh connection leaves nothing of an earlier exchange behind.
    pending_.clear();
    connection_.disconnect();
    return ensureConnected();
}

void LanTransport::close() {
    pending_.clear();
    connection_.disconnect();
    opened_ = false;
}

} // namespace XQTestDev
