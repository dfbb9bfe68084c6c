#include "run/GroupOrder.h"

#include "frame/MessageBox.h"
#include "run/RunMessages.h"

namespace XQTestDev {

GroupOrder screenGroupOrder(const ProductSpec& spec) {
    if (!spec.screenGroupOrder().isEmpty())
        return {OrderScan::Done, spec.screenGroupOrder()};
    return deriveGroupOrder(spec);
}

GroupOrder deriveGroupOrder(const ProductSpec& spec) {
    QStringList order;
    QString previous;
    for (int number = 1; number <= LastSpecKey; ++number) {
        const TestLine& line = spec.line(number);
        switch (line.kind) {
        case LineKind::Empty:
            continue;
        case LineKind::EndTag:
            return {OrderScan::Done, order.join(QLatin1Char(','))};
        case LineKind::Incomplete:
            showExclamation(RunMessages::specNotCompleted(number));
            return {OrderScan::IncompleteLine, {}};
        case LineKind::Complete:
            break;
        }
        if (!line.groupName.isEmpty() &&
            line.groupName.compare(previous, Qt::CaseInsensitive) != 0) {
            order.append(line.groupName);
            previous = line.groupName;
        }
    }
    showExclamation(RunMessages::endTagNotFound());
    return {OrderScan::NoEndTag, {}};
}

QStringList groupWindowNames(const QString& orderText) {
    QStringList names;
    for (const QString& item : orderText.split(QLatin1Char(','))) {
        if (!item.trimmed().isEmpty())
            names.append(item);
    }
    return names;
}

} // namespace XQTestDev
