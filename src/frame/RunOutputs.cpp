#include "frame/RunOutputs.h"

#include <vector>

namespace XQTestDev {

namespace {

std::vector<RunFinishedHandler>& handlers() {
    // A function-local list, so an output that registers from a static
    // initializer of its own never meets an unconstructed list.
    static std::vector<RunFinishedHandler> list;
    return list;
}

std::vector<RunStartedHandler>& startedHandlers() {
    static std::vector<RunStartedHandler> list;
    return list;
}

StoredRunSource& storedRunSource() {
    static StoredRunSource source;
    return source;
}

ReportRequestHandler& reportRequestHandler() {
    static ReportRequestHandler handler;
    return handler;
}

RecordFileNamer& recordFileNamer() {
    static RecordFileNamer namer;
    return namer;
}

} // namespace

void addRunFinishedHandler(RunFinishedHandler handler) {
    handlers().push_back(std::move(handler));
}

void notifyRunFinished(const RunRecord& record) {
    for (const RunFinishedHandler& handler : handlers())
        handler(record);
}

void addRunStartedHandler(RunStartedHandler handler) {
    startedHandlers().push_back(std::move(handler));
}

void notifyRunStarted(const RunRecord& record) {
    for (const RunStartedHandler& handler : startedHandlers())
        handler(record);
}

void setStoredRunSource(StoredRunSource source) {
    storedRunSource() = std::move(source);
}

RunRecord storedRunRecord(const QString& product) {
    return storedRunSource() ? storedRunSource()(product) : RunRecord();
}

void setReportRequestHandler(ReportRequestHandler handler) {
    reportRequestHandler() = std::move(handler);
}

void requestReport(const QString& verdictText) {
    if (reportRequestHandler())
        reportRequestHandler()(verdictText);
}

void setRecordFileNamer(RecordFileNamer namer) {
    recordFileNamer() = std::move(namer);
}

QString recordFileOf(const RunRecord& record) {
    return recordFileNamer() ? recordFileNamer()(record) : QString();
}

} // namespace XQTestDev
