#include "run/UntestedLines.h"

#include "config/ProductDefinition.h"
#include "config/StationFiles.h"
#include "run/RunModel.h"

#include <QSet>

namespace XQTestDev {

namespace {

bool holdsResult(const RunRow& row) {
    return row.recorded.endsWith(QLatin1String("|Pass")) ||
           row.recorded.endsWith(QLatin1String("|Fail"));
}

} // namespace

int untestedLineCount(const RunModel& model) {
    int count = 0;
    QSet<int> shown;
    for (const RunGroup& group : model.groups()) {
        for (const RunRow& row : group.rows) {
            if (row.spec.lineNumber > 0 && shown.contains(row.spec.lineNumber))
                continue;
            shown.insert(row.spec.lineNumber);
            if (!holdsResult(row))
                ++count;
        }
    }
    // A line the menu leaves out (its group is not shown) can hold no result
    // either; the record lists it untested, so the count does too.
    const QString& product = model.run.product;
    if (product.isEmpty() || !stationFileExists(StationFile::Products))
        return count;
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    TestLineWalk walk(*spec, AtGap::Skip, AtShortLine::Yield);
    while (const TestLine* line = walk.next()) {
        if (!shown.contains(line->number))
            ++count;
    }
    return count;
}

QString untestedLinesText(int count) {
    if (count <= 0)
        return {};
    return count == 1 ? QStringLiteral("1 line not tested")
                      : QStringLiteral("%1 lines not tested").arg(count);
}

} // namespace XQTestDev
