#pragma once

#include "frame/DurableFile.h"

#include <QDateTime>
#include <QString>

namespace XQTestDev {

// The run's times as the report prints them, after a missing time was filled.
struct ReportTimes {
    QDateTime start;
    QString duration; // "hh:mm:ss", or "??:??:??" when no start was on record
    WriteResult written;
};

// A start time that is no date becomes `now`, written as both StartTestTime
// and EndTestTime; an end time that is no date becomes `now`, written as
// EndTestTime. Both keys go to the results file in one durable write.
ReportTimes repairRunTimes(const QString& product, const QString& startText, const QString& endText,
                           const QDateTime& now);

} // namespace XQTestDev
