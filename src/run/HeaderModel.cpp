#include "run/HeaderModel.h"

#include <XQTestDev/Enums.h>

#include <QLocale>

#include <algorithm>

namespace XQTestDev {

QString headerClockText(const QDateTime& now) {
    return QLocale::c().toString(now, QStringLiteral("MMM d, yy hh:mm AP"));
}

QString elapsedText(const QDateTime& start, const QDateTime& now) {
    if (!start.isValid() || !now.isValid())
        return QStringLiteral("00:00:00");
    const qint64 seconds = std::max<qint64>(0, start.secsTo(now)) % (24 * 3600);
    return QTime(0, 0).addSecs(static_cast<int>(seconds)).toString(QStringLiteral("hh:mm:ss"));
}

QTime elapsedFromText(const QString& text) {
    const QTime time = QTime::fromString(text.trimmed(), QStringLiteral("hh:mm:ss"));
    return time.isValid() ? time : QTime(0, 0);
}

VerdictPictures verdictPictures(const QString& verdict, bool runActive, bool passFailHidden,
                                bool blinkOn) {
    if (passFailHidden)
        return {};
    const bool fail = verdict == QLatin1String("FAIL");
    VerdictPictures shown;
    shown.fail = fail;
    shown.pass = !runActive && verdict == QLatin1String("PASS");
    shown.testing = runActive && !fail;
    shown.dim = !blinkOn && (shown.pass || shown.fail);
    return shown;
}

int menuXOffsetFor(int position, int screenWidth, int headerWidth) {
    const int spare = std::max(0, screenWidth - headerWidth);
    switch (position) {
    case MenuLeft:
        return 0;
    case MenuRight:
        return spare;
    default:
        return spare / 2;
    }
}

QString operatorText(const QString& operatorId) {
    return QStringLiteral("Operator ID: ") + operatorId;
}
QString serialNumberText(const QString& serialNumber) {
    return QStringLiteral("UUT S/N: ") + serialNumber;
}
QString testIdText(const QString& testId) {
    return QStringLiteral("Test ID: ") + testId;
}
QString customerPnText(const QString& customerPn) {
    return QStringLiteral("UUT P/N: ") + customerPn;
}
QString ateIdText(const QString& ateId) {
    return QStringLiteral("Tester ID: ") + ateId;
}
QString softwareVersionText(const QString& version) {
    return QStringLiteral("S/W Rev: ") + version;
}

} // namespace XQTestDev
