#include "output/RunRecordFile.h"

#include "frame/LibraryState.h"
#include "frame/RunOutputs.h"
#include "output/HeldFolder.h"
#include "output/RunRecordJson.h"
#include "output/RunRecordPath.h"
#include "output/database/RunRecordOfWrite.h"
#include "ui/RunNotice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace XQTestDev {

namespace {

// A run with the record file it belongs in: held back in the form the backup
// queue keeps a run in.
using FinishedRun = RunOfWrite;

// Held in memory only when even the held-runs folder refused them.
std::vector<FinishedRun>& inMemory() {
    static std::vector<FinishedRun> runs;
    return runs;
}

QString& lastFile() {
    static QString path;
    return path;
}

QString heldRecordsFolder() {
    return heldRunsFolder() + QStringLiteral("records/");
}

void sayNotWritten(const QString& error, const QString& heldWhere) {
    sayRunNotice(QStringLiteral("Run record not written (%1); it is kept in %2 and written when "
                                "the next run ends")
                     .arg(error, heldWhere));
}

// The product's list ran to its last key without an end tag, so nobody can
// tell whether lines are missing: the record is kept and marked, and the
// operator is told, so that the list gets mended before the next unit.
void sayPartial(const RunRecord& record) {
    sayRunNotice(QStringLiteral("Partial run: %1 has no <EOT>").arg(record.product));
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

// Held under the record file's own name, so that holding one twice keeps one.
WriteResult hold(const FinishedRun& run) {
    const QString folder = heldRecordsFolder();
    if (!QDir().mkpath(folder))
        return WriteResult::failure(
            QStringLiteral("Unable to create the folder %1").arg(QDir::toNativeSeparators(folder)));
    return writeFileDurably(folder + QFileInfo(run.recordFile).fileName(), runOfWriteBytes(run));
}

QFileInfoList heldFiles() {
    QFileInfoList files = QDir(heldRecordsFolder())
                              .entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() < b.lastModified();
    });
    return files;
}

// Earlier records that failed go first, in the order their runs ended; those
// that fail again keep waiting without being said again.
void writeWaiting() {
    for (const QFileInfo& file : heldFiles()) {
        QFile in(file.filePath());
        if (!in.open(QIODevice::ReadOnly))
            continue;
        FinishedRun run;
        const bool read = readRunOfWrite(in.readAll(), run);
        in.close();
        if (read && writeOne(run))
            QFile::remove(file.filePath());
    }
    std::vector<FinishedRun> still;
    for (FinishedRun& run : inMemory()) {
        if (writeOne(run))
            continue;
        if (!hold(run))
            still.push_back(std::move(run));
    }
    inMemory() = std::move(still);
}

} // namespace

QString runRecordFileOf(const RunRecord& record) {
    return runRecordPath(library().resultsDirectory, record);
}

WriteResult writeRunRecordFile(const RunRecord& record) {
    writeWaiting();
    FinishedRun run{record, runRecordFileOf(record)};
    lastFile() = run.recordFile;
    if (!record.complete)
        sayPartial(record);
    const WriteResult written = writeOne(run);
    if (written)
        return written;
    if (hold(run)) {
        sayNotWritten(written.error, QDir::toNativeSeparators(heldRecordsFolder()));
    } else {
        sayNotWritten(written.error, QStringLiteral("memory"));
        inMemory().push_back(std::move(run));
    }
    return written;
}

void giveRunRecordSoftwareVersion(const RunRecord& record, const QString& version) {
    if (!record.ended || version.isEmpty() || !record.softwareVersion.isEmpty())
        return;
    RunRecord versioned = record;
    versioned.softwareVersion = version;
    FinishedRun run{versioned, runRecordFileOf(record)};
    // Only a record already in its place is rewritten; a held one is written
    // as it was kept.
    if (QFileInfo::exists(run.recordFile))
        writeOne(run);
}

QString lastRunRecordFile() {
    return lastFile();
}

int waitingRunRecords() {
    return static_cast<int>(inMemory().size() + heldFiles().size());
}

void forgetWaitingRunRecords() {
    inMemory().clear();
    lastFile().clear();
    QDir(heldRecordsFolder()).removeRecursively();
}

} // namespace XQTestDev
