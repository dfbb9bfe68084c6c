#include "DashboardParams.h"

#include "DashboardAlarms.h"

#include <QRegularExpression>

namespace XQTestDev::dashboard {

namespace {

bool refuse(QString* message, const QString& text) {
    if (message)
        *message = text;
    return false;
}

// A value quoted back in a message, cut short: the message is for a reader.
QString quoted(const QString& value) {
    constexpr int Shown = 40;
    return QLatin1Char('"') +
           (value.size() > Shown ? value.left(Shown) + QStringLiteral("…") : value) +
           QLatin1Char('"');
}

QString value(const QUrlQuery& query, const QString& name) {
    return query.queryItemValue(name, QUrl::FullyDecoded);
}

bool readDate(const QUrlQuery& query, const QString& name, QDate& date, QString* message) {
    const QString text = value(query, name);
    static const QRegularExpression shape(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!shape.match(text).hasMatch() || !date.isValid())
        return refuse(message, QStringLiteral("The parameter %1 must be a date written as "
                                              "yyyy-MM-dd, such as 2026-12-10; it was %2.")
                                   .arg(name, quoted(text)));
    return true;
}

bool given(const QUrlQuery& query, const QString& name) {
    return query.hasQueryItem(name) && !value(query, name).isEmpty();
}

} // namespace

bool readBaseline(const QUrlQuery& query, Baseline& baseline, QString* message) {
    baseline = {};
    const bool byCount = given(query, QStringLiteral("baseline"));
    const bool hasFrom = given(query, QStringLiteral("baselineFrom"));
    const bool hasTo = given(query, QStringLiteral("baselineTo"));
    if (byCount && (hasFrom || hasTo))
        return refuse(message, QStringLiteral("Give the baseline either as a number of values "
                                              "(baseline) or as a period (baselineFrom and "
                                              "baselineTo), not both."));
    if (hasFrom != hasTo)
        return refuse(message, QStringLiteral("A baseline period needs both baselineFrom and "
                                              "baselineTo."));
    if (hasFrom) {
        Period period;
        if (!readDate(query, QStringLiteral("baselineFrom"), period.from, message) ||
            !readDate(query, QStringLiteral("baselineTo"), period.to, message))
            return false;
        if (period.from > period.to)
            return refuse(message, QStringLiteral("The baseline period ends before it starts: "
                                                  "baselineFrom %1 is after baselineTo %2.")
                                       .arg(period.from.toString(Qt::ISODate),
                                            period.to.toString(Qt::ISODate)));
        baseline.period = period;
        return true;
    }
    if (byCount) {
        bool isNumber = false;
        const QString text = value(query, QStringLiteral("baseline"));
        baseline.count = text.toInt(&isNumber);
        if (!isNumber || baseline.count < 2 || baseline.count > LongestBaseline)
            return refuse(message, QStringLiteral("The parameter baseline (how many values) must "
                                                  "be a whole number from 2 to %1; it was %2.")
                                       .arg(LongestBaseline)
                                       .arg(quoted(text)));
    }
    return true;
}

bool readYieldDrop(const QUrlQuery& query, double& points, QString* message) {
    points = DefaultYieldDrop;
    if (!given(query, QStringLiteral("yieldDrop")))
        return true;
    bool isNumber = false;
    const QString text = value(query, QStringLiteral("yieldDrop"));
    points = text.toDouble(&isNumber);
    if (!isNumber || !(points > 0) || points > 100)
        return refuse(message, QStringLiteral("The parameter yieldDrop (percentage points) must "
                                              "be a number over 0 and at most 100; it was %1.")
                                   .arg(quoted(text)));
    return true;
}

bool onlyKnownParameters(const QUrlQuery& query, const QStringList& known, QString* message) {
    for (const auto& item : query.queryItems(QUrl::FullyDecoded)) {
        if (!known.contains(item.first))
            return refuse(message,
                          known.isEmpty()
                              ? QStringLiteral("Unknown parameter %1: this address takes none.")
                                    .arg(quoted(item.first))
                              : QStringLiteral("Unknown parameter %1: this address takes %2.")
                                    .arg(quoted(item.first), known.join(QStringLiteral(", "))));
    }
    return true;
}

bool readPeriod(const QUrlQuery& query, const QDate& today, Period& period, QString* message) {
    const bool hasFrom = query.hasQueryItem(QStringLiteral("from"));
    const bool hasTo = query.hasQueryItem(QStringLiteral("to"));
    period.to = today;
    if (hasTo && !readDate(query, QStringLiteral("to"), period.to, message))
        return false;
    period.from = period.to.addDays(1 - DefaultDays);
    if (hasFrom && !readDate(query, QStringLiteral("from"), period.from, message))
        return false;
    if (period.from > period.to)
        return refuse(message,
                      QStringLiteral("The period ends before it starts: from %1 is "
                                     "after to %2.")
                          .arg(period.from.toString(Qt::ISODate), period.to.toString(Qt::ISODate)));
    return true;
}

bool readFormat(const QUrlQuery& query, Format fallback, Format& format, QString* message) {
    format = fallback;
    if (!query.hasQueryItem(QStringLiteral("format")))
        return true;
    const QString text = value(query, QStringLiteral("format"));
    if (text == QLatin1String("json"))
        format = Format::Json;
    else if (text == QLatin1String("csv"))
        format = Format::Csv;
    else if (text == QLatin1String("html"))
        format = Format::Html;
    else
        return refuse(message, QStringLiteral("The parameter format must be json, csv or html; "
                                              "it was %1.")
                                   .arg(quoted(text)));
    return true;
}

bool readName(const QUrlQuery& query, const QString& name, const QString& what, QString& result,
              QString* message) {
    if (!query.hasQueryItem(name) || value(query, name).isEmpty())
        return refuse(message,
                      QStringLiteral("The parameter %1 (the %2) is missing.").arg(name, what));
    result = value(query, name);
    return checkName(result, what, message);
}

bool checkName(const QString& value, const QString& what, QString* message) {
    if (value.isEmpty())
        return refuse(message, QStringLiteral("The %1 is missing.").arg(what));
    if (value.size() > LongestName)
        return refuse(message, QStringLiteral("A %1 is at most %2 characters long; this one has "
                                              "%3.")
                                   .arg(what)
                                   .arg(LongestName)
                                   .arg(value.size()));
    for (const QChar c : value) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Surrogate)
            return refuse(message, QStringLiteral("The %1 holds a control character.").arg(what));
    }
    return true;
}

bool readWholeNumber(const QUrlQuery& query, const QString& name, int lowest, int highest,
                     int& number, QString* message) {
    if (!query.hasQueryItem(name))
        return true;
    bool isNumber = false;
    const int read = value(query, name).toInt(&isNumber);
    if (!isNumber || read < lowest || read > highest)
        return refuse(message, QStringLiteral("The parameter %1 must be a whole number from %2 to "
                                              "%3.")
                                   .arg(name)
                                   .arg(lowest)
                                   .arg(highest));
    number = read;
    return true;
}

} // namespace XQTestDev::dashboard
