#include "instruments/Transport.h"

#include "instruments/GpibApi.h"

#include <QFile>

namespace XQTestDev {

TransportStatus TransportStatus::done(long count) {
    return {static_cast<quint16>(gpib::CompleteBit), 0, count, {}};
}

TransportStatus TransportStatus::failed(int errorCode, const QString& reason) {
    return {static_cast<quint16>(gpib::ErrorBit | gpib::CompleteBit), errorCode, 0, reason};
}

TransportStatus TransportStatus::timedOut(const QString& reason) {
    return {static_cast<quint16>(gpib::ErrorBit | gpib::TimeoutBit | gpib::CompleteBit),
            transport_error::Aborted, 0, reason};
}

bool Transport::writeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        last_ = TransportStatus::failed(transport_error::FileError, file.errorString().toLower());
        return false;
    }
    return write(file.readAll());
}

} // namespace XQTestDev
