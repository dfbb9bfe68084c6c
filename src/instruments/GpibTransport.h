#pragma once

#include "instruments/InstrumentResource.h"
#include "instruments/Transport.h"

namespace XQTestDev {

// What the driver's last call left, as the mirrors hold it.
TransportStatus gpibBusStatus();

// An instrument on a GPIB bus through the driver loaded at run time. Its
// status is the driver's own, as the mirrors hold it after each call.
class GpibTransport : public Transport {
public:
    GpibTransport(InstrumentResource resource, int timeoutCode);

    bool open() override;
    bool isOpen() const override { return descriptor_ >= 1; }
    int handle() const override { return descriptor_; }
    bool write(const QByteArray& bytes) override;
    bool writeFile(const QString& path) override;
    QByteArray read(const ReadLimit& limit) override;
    bool clear() override;
    void close() override {} // a descriptor lives as long as its object
    TransportStatus status() const override;
    QString resourceName() const override { return resource_.canonical(); }

private:
    bool succeeded() const;

    InstrumentResource resource_;
    int timeoutCode_;
    int descriptor_ = 0;
};

} // namespace XQTestDev
