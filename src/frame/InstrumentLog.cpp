#include "frame/InstrumentLog.h"

#include <QHash>

namespace XQTestDev {

namespace {

struct Log {
    QHash<QString, QString> idnByResource; // every instrument the process identified
    std::vector<QString> usedInRun;        // resources, in order of first use
};

Log& log() {
    static Log instance;
    return instance;
}

} // namespace

void noteInstrumentUsed(const QString& resource, const QString& idn) {
    if (resource.isEmpty())
        return;
    Log& l = log();
    if (!idn.isEmpty())
        l.idnByResource.insert(resource, idn);
    if (std::find(l.usedInRun.begin(), l.usedInRun.end(), resource) == l.usedInRun.end())
        l.usedInRun.push_back(resource);
}

void startInstrumentLog() {
    log().usedInRun.clear();
}

std::vector<RunRecordInstrument> instrumentsUsedSinceStart() {
    std::vector<RunRecordInstrument> used;
    for (const QString& resource : log().usedInRun)
        used.push_back({resource, log().idnByResource.value(resource)});
    return used;
}

} // namespace XQTestDev
