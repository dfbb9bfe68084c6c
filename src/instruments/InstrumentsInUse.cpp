#include "instruments/InstrumentsInUse.h"

#include "frame/InstrumentLog.h"

#include <QHash>

namespace XQTestDev {

namespace {

QHash<int, QString>& resourceByDescriptor() {
    static QHash<int, QString> resources;
    return resources;
}

} // namespace

void noteInstrumentOpened(int descriptor, const QString& resource, const QString& idn) {
    resourceByDescriptor().insert(descriptor, resource);
    noteInstrumentUsed(resource, idn.trimmed());
}

void noteInstrumentRead(int descriptor) {
    const auto found = resourceByDescriptor().constFind(descriptor);
    if (found != resourceByDescriptor().constEnd())
        noteInstrumentUsed(*found);
}

} // namespace XQTestDev
