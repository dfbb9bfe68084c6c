#include "config/ResultsFileLayout.h"

#include "config/StationFiles.h"

#include <QLocale>
#include <QStringList>

namespace XQTestDev {

QString resultsSection(const QString& product) {
    return product + QStringLiteral(" Test Results");
}

QString resultsFileTime(const QDateTime& time) {
    return QLocale::c().toString(time, QStringLiteral("MM/dd/yyyy hh:mm:ss ap"));
}

std::optional<QDateTime> readResultsTime(const QString& text) {
    const QString written = text.simplified().toUpper();
    if (written.isEmpty())
        return std::nullopt;
    static const QStringList dateTimeForms = {
        QStringLiteral("M/d/yyyy h:mm:ss AP"), QStringLiteral("M/d/yyyy h:mm AP"),
        QStringLiteral("M/d/yyyy H:mm:ss"), QStringLiteral("M/d/yyyy H:mm")};
    for (const QString& form : dateTimeForms) {
        const QDateTime time = QLocale::c().toDateTime(written, form);
        if (time.isValid())
            return time;
    }
    const QDate date = QLocale::c().toDate(written, QStringLiteral("M/d/yyyy"));
    if (date.isValid())
        return date.startOfDay();
    return std::nullopt;
}

QString runSoftwareVersion(const QString& kept) {
    if (!kept.isEmpty())
        return kept;
    return readStationValue(StationFile::Results, QStringLiteral("ATE Configuration"),
                            QStringLiteral("TestSoftwareVersion"));
}

} // namespace XQTestDev
