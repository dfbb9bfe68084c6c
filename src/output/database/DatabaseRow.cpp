#include "output/database/DatabaseRow.h"

#include "config/ResultsFileCodec.h"
#include "output/ReportFormat.h"

#include <QLocale>

#include <cmath>

namespace XQTestDev {

namespace {

QVariant nullOf(QMetaType::Type type) {
    return QVariant(QMetaType(type));
}

// A number is bound as a number. A text result that is no number ("1.4.2" of
// a firmware line) is bound as it is: the column's type decides whether the
// database keeps it (an SQLite column, a text column on the server) or refuses
// the row, which then waits as a backup statement.
QVariant testValue(const QString& text) {
    if (text.isEmpty())
        return nullOf(QMetaType::Double);
    static const QLocale c = [] {
        QLocale locale = QLocale::c();
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        return locale;
    }();
    bool ok = false;
    const double number = c.toDouble(text, &ok);
    if (!ok || !std::isfinite(number))
        return text;
    return number;
}

} // namespace

const QStringList& headerColumns() {
    static const QStringList names = {
        QStringLiteral("Model"),           QStringLiteral("Revision"),
        QStringLiteral("TestID"),          QStringLiteral("SerialNumber"),
        QStringLiteral("WorkOrderNumber"), QStringLiteral("ATEID"),
        QStringLiteral("TestStartTime"),   QStringLiteral("TestFinishTime"),
        QStringLiteral("Operator"),        QStringLiteral("TestSoftwareRev"),
        QStringLiteral("LocalPN"),         QStringLiteral("LocalAssyPN"),
        QStringLiteral("CustomerPN"),      QStringLiteral("PassFail"),
        QStringLiteral("ATE_INI_Version"), QStringLiteral("Product_INI_Version"),
        QStringLiteral("Remark1"),         QStringLiteral("Remark2"),
        QStringLiteral("Remark3"),         QStringLiteral("Remark4")};
    return names;
}

// Asked for each of a row's 500 columns at every write: compared in place,
// without an upper-case copy of each name.
ColumnKind columnKind(const QString& column) {
    const auto is = [&column](const QString& name) {
        return column.compare(name, Qt::CaseInsensitive) == 0;
    };
    if (is(QStringLiteral("TestStartTime")) || is(QStringLiteral("TestFinishTime")))
        return ColumnKind::Time;
    for (const QString& header : headerColumns()) {
        if (is(header))
            return ColumnKind::Text;
    }
    return ColumnKind::Test;
}

QString isoTime(const QString& resultsTime) {
    const std::optional<QDateTime> time = readResultsTime(resultsTime);
    if (!time)
        return {};
    return QLocale::c().toString(*time, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant boundValue(const QString& column, const QString& text) {
    switch (columnKind(column)) {
    case ColumnKind::Text:
        return text;
    case ColumnKind::Time: {
        const QString iso = isoTime(text);
        return iso.isEmpty() ? nullOf(QMetaType::QString) : QVariant(iso);
    }
    case ColumnKind::Test:
        break;
    }
    return testValue(text);
}

} // namespace XQTestDev
