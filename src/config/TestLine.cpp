#include "config/TestLine.h"

#include <QList>

#include <iterator>

namespace XQTestDev {

bool isEndTag(QStringView field0) {
    return field0.compare(QLatin1String("<EOT>"), Qt::CaseInsensitive) == 0;
}

TestLine parseTestLine(int number, const QString& text) {
    TestLine line;
    line.number = number;
    if (text.isEmpty())
        return line;
    const QList<QStringView> fields = QStringView(text).split(QLatin1Char(','));
    line.fieldCount = static_cast<int>(fields.size());
    QString* const targets[] = {&line.dbFieldName,   &line.minSpec,   &line.maxSpec,
                                &line.targetSpec,    &line.unit,      &line.groupName,
                                &line.parameterName, &line.customFlag};
    for (qsizetype i = 0; i < fields.size() && i < qsizetype(std::size(targets)); ++i)
        *targets[i] = fields[i].toString();
    if (isEndTag(fields.front()))
        line.kind = LineKind::EndTag;
    else
        line.kind =
            line.fieldCount >= CompleteFieldCount ? LineKind::Complete : LineKind::Incomplete;
    return line;
}

} // namespace XQTestDev
