#include "output/RunRecordFile.h"

#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "output/RunRecordJson.h"
#include "output/RunRecordPath.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace XQTestDev {

namespace {

// The status window line that the instruments leave free.
constexpr int RecordStatusLine = 3;

std::optional<FinishedRun>& lastRun() {
    static std::optional<FinishedRun> run;
    return run;
}

std::vector<FinishedRun>& waiting() {
    static std::vector<FinishedRun> runs;
    return runs;
}

void sayOnStatusLine(const QString& text) {
    std::fprintf(stderr, "XQTestDev: %s\n", qPrintable(text));
    std::fflush(stderr);
    if (library().statusHide)
        return;
    StatusWindow& window = statusWindow();
    window.setLine(RecordStatusLine, text);
    window.show();
    window.bringToFrontIfShown();
}

void sayNotWritten(const QString& error) {
    sayOnStatusLine(
        QStringLiteral("Run record not written (%1); it is tried again when the next run ends")
            .arg(error));
}

// The product's list ran to its last key without an end tag, so nobody can
// tell whether lines are missing: the record is kept and marked, and the
// operator is told, so that the list gets mended before the next unit.
void sayPartial(const RunRecord& record) {
    sayOnStatusLine(QStringLiteral("Partial run: %1 has no <EOT>").arg(record.product));
}

// Resolved, the path stays below runs/ whatever the station and serial number
// hold.
bool staysBelowRunsFolder(const QString& path) {
    const QString root = QDir::cleanPath(runRecordsRoot(library().resultsDirectory));
    return QDir::cleanPath(path).startsWith(root + QLatin1Char('/'));
}

WriteResult writeOne(const FinishedRun& run) {
    if (!staysBelowRunsFolder(run.recordFile))
        return WriteResult::failure(
            QStringLiteral("%1 is outside the runs folder").arg(run.recordFile));
    const QString folder = QFileInfo(run.recordFile).path();
    if (!QDir().mkpath(folder))
        return WriteResult::failure(
            QStringLiteral("Unable to create the folder %1").arg(QDir::toNativeSeparators(folder)));
    return writeFileDurably(run.recordFile, runRecordBytes(run.record));
}

// Earlier records that failed go first, in the order their runs ended; those
// that fail again keep waiting without being said again.
void writeWaiting() {
    std::vector<FinishedRun> still;
    for (FinishedRun& run : waiting()) {
        if (!writeOne(run))
            still.push_back(std::move(run));
    }
    waiting() = std::move(still);
}

void writeRecordOfRun(const RunRecord& record) {
    writeRunRecordFile(record);
}

const bool Registered = (addRunFinishedHandler(writeRecordOfRun), true);

} // namespace

const std::optional<FinishedRun>& lastFinishedRun() {
    return lastRun();
}

WriteResult writeRunRecordFile(const RunRecord& record) {
    (void)Registered;
    writeWaiting();
    FinishedRun run{record, runRecordPath(library().resultsDirectory, record)};
    lastRun() = run;
    if (!record.complete)
        sayPartial(record);
    const WriteResult written = writeOne(run);
    if (!written) {
        sayNotWritten(written.error);
        waiting().push_back(std::move(run));
    }
    return written;
}

int waitingRunRecords() {
    return static_cast<int>(waiting().size());
}

void forgetWaitingRunRecords() {
    waiting().clear();
    lastRun().reset();
}

} // namespace XQTestDev
