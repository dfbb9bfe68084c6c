#include "output/ReportTimes.h"

#include "config/ResultsFileCodec.h"
#include "config/StationFiles.h"
#include "output/ReportFormat.h"

namespace XQTestDev {

ReportTimes repairRunTimes(const QString& product, const QString& startText, const QString& endText,
                           const QDateTime& now) {
    const QString nowText = resultsFileTime(now);
    IniBatch batch = stationBatch(StationFile::Results);
    ReportTimes times;

    const std::optional<QDateTime> start = readResultsTime(startText);
    if (start) {
        times.start = *start;
        std::optional<QDateTime> end = readResultsTime(endText);
        if (!end) {
            addEndTestTime(batch, product, nowText);
            end = now;
        }
        times.duration = reportDuration(*start, *end);
    } else {
        addStartTestTime(batch, product, nowText);
        addEndTestTime(batch, product, nowText);
        times.start = now;
        times.duration = UnknownDuration;
    }
    if (!batch.isEmpty())
        times.written = batch.commit();
    return times;
}

} // namespace XQTestDev
