#pragma once

#include "instruments/InstrumentResource.h"
#include "instruments/Transport.h"
#include "instruments/UsbtmcDevices.h"

namespace XQTestDev {

// USBTMC through the kernel's usbtmc driver: its character device carries
// whole messages (the driver frames them), its ioctls set the timeout and
// clear the device. Where the node is no usbtmc device (a stand-in in the
// tests) the timeout is kept by polling instead.
class UsbtmcTransport : public Transport {
public:
    UsbtmcTransport(InstrumentResource resource, int timeoutMs, UsbtmcPlaces places = {});
    ~UsbtmcTransport() override;
    UsbtmcTransport(const UsbtmcTransport&) = delete;
    UsbtmcTransport& operator=(const UsbtmcTransport&) = delete;

    bool open() override;
    bool isOpen() const override { return opened_; }
    int handle() const override { return fd_; }
    bool write(const QByteArray& bytes) override;
    QByteArray read(const ReadLimit& limit) override;
    bool clear() override;
    void close() override;
    QString resourceName() const override { return resource_.canonical(); }

private:
    bool ensureOpen();
    bool waitFor(short events, int remainingMs);
    void failFromSystem(int error, const char* doing);
    void dropDevice();

    InstrumentResource resource_;
    int timeoutMs_;
    UsbtmcPlaces places_;
    QString node_;
    int fd_ = -1;
    bool opened_ = false;
    bool kernelTimeout_ = false; // the driver itself ends a late transfer
    QByteArray pending_;         // received after the last reply's terminator
};

} // namespace XQTestDev
