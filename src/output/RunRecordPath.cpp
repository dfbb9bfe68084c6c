#include "output/RunRecordPath.h"

#include <QCryptographicHash>

namespace XQTestDev {

namespace {

// Most file systems hold at most 255 bytes in one name, and the durable
// write's temporary adds its own to it.
constexpr qsizetype LongestName = 200;

bool needsCode(char32_t c) {
    return c < 0x20 || c == 0x7f || QStringView(u"/\\%:*?\"<>|").contains(QChar(c));
}

QString percentCoded(char32_t c) {
    QString out;
    for (const char byte : QString::fromUcs4(&c, 1).toUtf8())
        out +=
            QStringLiteral("%%1").arg(static_cast<uchar>(byte), 2, 16, QLatin1Char('0')).toUpper();
    return out;
}

// A name too long for the file system keeps its start and the run's time and
// gets a digest of the whole name, so that two long serial numbers never share
// a file.
QString fitted(const QString& stem, const QString& timePart) {
    const QString suffix = QLatin1Char('_') + timePart + QStringLiteral(".json");
    if ((stem + suffix).toUtf8().size() <= LongestName)
        return stem + suffix;
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(stem.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    QString kept = stem;
    while ((kept + QLatin1Char('~') + digest + suffix).toUtf8().size() > LongestName)
        kept.chop(1);
    // A cut never leaves half of a %XX code.
    const qsizetype percent = kept.lastIndexOf(QLatin1Char('%'));
    if (percent >= 0 && percent > kept.size() - 3)
        kept.truncate(percent);
    return kept + QLatin1Char('~') + digest + suffix;
}

} // namespace

QString fileNamePart(const QString& text) {
    QString out;
    for (const char32_t c : text.toUcs4())
        out += needsCode(c) ? percentCoded(c) : QString::fromUcs4(&c, 1);
    return out;
}

QString runRecordsRoot(const QString& resultsFolder) {
    QString root = resultsFolder;
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    return root + QStringLiteral("runs/");
}

QString runRecordPath(const QString& resultsFolder, const RunRecord& record, const QDateTime& now) {
    const QDateTime start =
        record.start.isValid() ? record.start : (record.finish.isValid() ? record.finish : now);
    const QString folder =
        runRecordsRoot(resultsFolder) + start.toString(QStringLiteral("yyyy/MM/dd/"));
    const QString stem =
        fileNamePart(record.station) + QLatin1Char('_') + fileNamePart(record.serialNumber);
    return folder + fitted(stem, start.toString(QStringLiteral("yyyyMMddTHHmmsszzz")));
}

} // namespace XQTestDev
