#include "instruments/GpibTransport.h"
#include "instruments/InstrumentResource.h"
#include "instruments/LanTransport.h"
#include "instruments/Transport.h"
#include "instruments/TransportTimeout.h"
#include "instruments/UsbtmcTransport.h"

namespace XQTestDev {

std::shared_ptr<Transport> makeTransport(const InstrumentResource& resource, int timeoutCode) {
    const int timeoutMs = timeoutMilliseconds(timeoutCode);
    switch (resource.kind) {
    case InstrumentResource::Kind::Socket:
        return std::make_shared<RawSocketTransport>(resource, timeoutMs);
    case InstrumentResource::Kind::Vxi11:
        return std::make_shared<Vxi11Transport>(resource, timeoutMs);
    case InstrumentResource::Kind::Usbtmc:
        return std::make_shared<UsbtmcTransport>(resource, timeoutMs);
    case InstrumentResource::Kind::GpibAddress:
    case InstrumentResource::Kind::GpibName:
        break;
    }
    return std::make_shared<GpibTransport>(resource, timeoutCode);
}

} // namespace XQTestDev
