#include "run/GroupOrder.h"

#include "config/ProductMessages.h"
#include "frame/MessageBox.h"

namespace XQTestDev {

GroupOrder screenGroupOrder(const ProductSpec& spec) {
    if (!spec.screenGroupOrder().isEmpty())
        return {OrderScan::Done, spec.screenGroupOrder()};
    return deriveGroupOrder(spec);
}

GroupOrder deriveGroupOrder(const ProductSpec& spec) {
    QStringList order;
    QString previous;
    TestLineWalk walk(spec, AtGap::Skip, AtShortLine::Stop);
    while (const TestLine* line = walk.next()) {
        if (!line->groupName.isEmpty() &&
            line->groupName.compare(previous, Qt::CaseInsensitive) != 0) {
            order.append(line->groupName);
            previous = line->groupName;
        }
    }
    switch (walk.end()) {
    case WalkEnd::EndTag:
        return {OrderScan::Done, order.join(QLatin1Char(','))};
    case WalkEnd::ShortLine:
        showExclamation(ProductMessages::specNotCompleted(walk.endLine()));
        return {OrderScan::IncompleteLine, {}};
    case WalkEnd::Gap:
    case WalkEnd::NoEndTag:
        break;
    }
    showExclamation(ProductMessages::endTagNotFound());
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
