#include "output/PrintGroups.h"

#include "config/ProductDefinition.h"
#include "config/ProductMessages.h"
#include "frame/MessageBox.h"

namespace XQTestDev {

QString listPrintGroups(const ProductSpec& spec) {
    QStringList groups;
    TestLineWalk walk(spec, AtGap::Skip, AtShortLine::Stop);
    while (const TestLine* line = walk.next()) {
        if (!line->groupName.isEmpty() &&
            (groups.isEmpty() || groups.back().compare(line->groupName, Qt::CaseInsensitive) != 0))
            groups << line->groupName;
    }
    switch (walk.end()) {
    case WalkEnd::EndTag:
        return groups.join(QLatin1Char(','));
    case WalkEnd::ShortLine:
        showExclamation(ProductMessages::specNotCompleted(walk.endLine()));
        return {};
    case WalkEnd::Gap:
    case WalkEnd::NoEndTag:
        break;
    }
    showExclamation(ProductMessages::endTagNotReached());
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
