#include "output/PrintGroups.h"

#include "frame/MessageBox.h"
#include "run/ProductDefinition.h"
#include "run/RunMessages.h"

namespace XQTestDev {

QString listPrintGroups(const ProductSpec& spec) {
    QStringList groups;
    for (int number = 1; number <= LastSpecKey; ++number) {
        const TestLine& line = spec.line(number);
        switch (line.kind) {
        case LineKind::Empty:
            continue;
        case LineKind::EndTag:
            return groups.join(QLatin1Char(','));
        case LineKind::Incomplete:
            showExclamation(RunMessages::specNotCompleted(number));
            return {};
        case LineKind::Complete:
            break;
        }
        if (!line.groupName.isEmpty() &&
            (groups.isEmpty() || groups.back().compare(line.groupName, Qt::CaseInsensitive) != 0))
            groups << line.groupName;
    }
    showExclamation(RunMessages::endTagNotReached());
    return {};
}

QStringList printGroupNames(const QString& order) {
    if (order.isEmpty())
        return {};
    QStringList names = order.split(QLatin1Char(','));
    for (QString& name : names)
        name = name.trimmed();
    return names;
}

} // namespace XQTestDev
