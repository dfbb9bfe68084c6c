#include "instruments/InstrumentsInUse.h"

#include "frame/InstrumentLog.h"
#include "instruments/PropertyRules.h"

#include <QHash>

#include <cmath>

namespace XQTestDev {

namespace {

QHash<int, QString>& resourceByDescriptor() {
    static QHash<int, QString> resources;
    return resources;
}

} // namespace

QString gpibResource(int board, const QVariant& deviceName) {
    const QString middle = isNumberValue(deviceName)
                               ? QString::number(std::lround(numberOf(deviceName)))
                               : deviceName.toString().trimmed();
    return QStringLiteral("GPIB%1::%2::INSTR").arg(board).arg(middle);
}

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
