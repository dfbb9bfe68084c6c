#pragma once

#include "instruments/InstrumentResource.h"

#include <QString>

namespace XQTestDev {

// Where the kernel's usbtmc driver shows its devices: sysfs for the USB ids
// of each /dev/usbtmcN, and the folder of the device nodes.
struct UsbtmcPlaces {
    QString sysfs = QStringLiteral("/sys");
    QString dev = QStringLiteral("/dev");
};

struct UsbtmcMatch {
    QString node;   // the device node, empty when none matches
    QString reason; // why none matched
};

// The usbtmc node whose device has the resource's vendor and product id and
// serial number (and interface number, when the resource names one).
UsbtmcMatch findUsbtmcNode(const InstrumentResource& resource, const UsbtmcPlaces& places = {});

} // namespace XQTestDev
