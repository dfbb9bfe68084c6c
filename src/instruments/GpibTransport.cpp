#include "instruments/GpibTransport.h"

#include "instruments/GpibApi.h"
#include "instruments/GpibBinding.h"
#include "instruments/GpibCalls.h"

namespace XQTestDev {

namespace {

// linux-gpib and NI-488.2 number secondary addresses from 0x60.
constexpr int SecondaryBase = 0x60;

} // namespace

GpibTransport::GpibTransport(InstrumentResource resource, int timeoutCode)
    : resource_(std::move(resource)), timeoutCode_(timeoutCode) {}

bool GpibTransport::succeeded() const {
    return (gpibStatusWord() & gpib::ErrorBit) == 0;
}

bool GpibTransport::open() {
    int descriptor = 0;
    if (resource_.kind == InstrumentResource::Kind::GpibName) {
        descriptor = gpibOpenByName(resource_.name);
    } else {
        const int secondary =
            resource_.secondaryAddress >= 0 ? SecondaryBase + resource_.secondaryAddress : 0;
        descriptor = gpibOpenByAddress(resource_.board, resource_.primaryAddress, secondary,
                                       timeoutCode_, 1, 0);
    }
    // The descriptor is a 16-bit number to the instrument code; after a
    // failed call nothing is open, whatever the driver returned.
    const bool opened = succeeded();
    descriptor_ = opened ? static_cast<qint16>(descriptor) : 0;
    return opened;
}

bool GpibTransport::write(const QByteArray& bytes) {
    gpibWrite(descriptor_, bytes);
    return succeeded();
}

bool GpibTransport::writeFile(const QString& path) {
    gpibWriteFile(descriptor_, path);
    return succeeded();
}

QByteArray GpibTransport::read(const ReadLimit& limit) {
    // The bus ends a reply with END; the count bounds it.
    return gpibRead(descriptor_, limit.maxCount);
}

bool GpibTransport::clear() {
    gpibClear(descriptor_);
    return succeeded();
}

TransportStatus gpibBusStatus() {
    const GpibMirrors& mirrors = gpibMirrors();
    return {gpibStatusWord(), mirrors.error, mirrors.longCount, {}};
}

TransportStatus GpibTransport::status() const {
    return gpibBusStatus();
}

} // namespace XQTestDev
