// XQMenu32::TestLines: a product's test lines as the menu lists them, for
// station programs that walk them instead of parsing PRODUCTS.INI.

#include <XQTestDev/XQMenu32.h>

#include "config/ProductDefinition.h"
#include "run/GroupOrder.h"

#include <QHash>

namespace XQTestDev {

namespace {

TestLineInfo infoOf(const TestLine& line) {
    return {QString::number(line.number),
            line.dbFieldName,
            line.groupName,
            line.parameterName,
            line.minSpec,
            line.maxSpec,
            line.targetSpec,
            line.unit,
            line.customFlag};
}

} // namespace

QList<TestLineInfo> XQMenu32::TestLines(const QString& ProductName) const {
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(ProductName);
    QHash<QString, QList<TestLineInfo>> byGroup;
    QStringList firstSeen;
    TestLineWalk walk(*spec, AtGap::Skip, AtShortLine::Stop);
    while (const TestLine* line = walk.next()) {
        if (!byGroup.contains(line->groupName))
            firstSeen << line->groupName;
        byGroup[line->groupName] << infoOf(*line);
    }
    QList<TestLineInfo> ordered;
    const auto take = [&](const QString& group) { ordered << byGroup.take(group); };
    for (const QString& group : groupWindowNames(screenGroupOrder(*spec).text))
        take(group);
    // Lines of groups the order leaves out still belong to the product.
    for (const QString& group : firstSeen)
        take(group);
    return ordered;
}

} // namespace XQTestDev
