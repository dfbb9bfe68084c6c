#pragma once

#include "frame/Clock.h"
#include "frame/RunRecord.h"

#include <QString>

namespace XQTestDev {

// runs/ in the results folder: every record file lives below it.
QString runRecordsRoot(const QString& resultsFolder);

// <results>/runs/<yyyy>/<mm>/<dd>/<station>_<serial>_<start yyyyMMddTHHmmsszzz>.json,
// dated by the run's start as the station's clock showed it (its finish, or
// `now`, for a run without a start). The milliseconds keep a quick retest of
// the same unit from overwriting its first record.
QString runRecordPath(const QString& resultsFolder, const RunRecord& record,
                      const QDateTime& now = libraryClock().now());

// One part of a file name as its own text with every character that a file
// name cannot hold, or that could lead elsewhere, written as %XX of its UTF-8
// bytes: "/", "\", "%", ":", "*", "?", "\"", "<", ">", "|", control characters.
QString fileNamePart(const QString& text);

} // namespace XQTestDev
