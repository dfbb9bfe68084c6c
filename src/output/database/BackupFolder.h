#pragma once

#include "frame/DurableFile.h"

#include <QFileInfoList>
#include <QString>

namespace XQTestDev {

// XQDATABAK/ in the results folder, and in it one folder per product. When
// the results folder cannot take a backup, it waits in XQDATABAK/ of the
// held-runs folder instead, laid out alike.
QString backupRootPath();
QString heldBackupRootPath();
QString backupFolderPath(const QString& product);

// The product name as one folder name inside XQDATABAK: "%", "/", "\" and
// control characters are written as %XX, and a name of dots only has its dots
// written so, so that no product reaches a folder outside its own and two
// names never share one.
QString safeFolderName(const QString& product);

// Saves the statement as the only line (ended by CR LF) of a new file with an
// eight-digit random name and the extension .SQL in the product's folder; the
// folders are made when missing. A name is drawn again while an .SQL or an
// .ERR file of that name exists. On a failure the error's text is shown and
// the statement is lost. `runBytes`, when given, is the run for the run
// tables: saved first, under the same name with the extension .RUN, so that
// a statement never waits without its run.
WriteResult saveBackupStatement(const QString& statement, const QString& product,
                                const QByteArray& runBytes = {});

// A run for the run tables whose product row is stored already: a .RUN file
// alone, saved like a statement.
WriteResult saveBackupRun(const QString& product, const QByteArray& runBytes);

// The .RUN file beside a statement file.
QString runFileOf(const QString& statementFile);

// The product's waiting .SQL files, oldest first (the order they were saved),
// from both folders.
QFileInfoList waitingBackupFiles(const QString& product);
// The product's waiting runs without a statement, oldest first.
QFileInfoList waitingBackupRuns(const QString& product);
// Whether either folder holds backups at all.
bool anyBackupFolder();

} // namespace XQTestDev
