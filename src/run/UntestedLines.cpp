#include "run/UntestedLines.h"

#include "run/RunModel.h"

namespace XQTestDev {

int untestedLineCount(const RunModel& model) {
    int count = 0;
    for (const RunGroup& group : model.groups()) {
        for (const RunRow& row : group.rows) {
            if (row.verdict != Verdict::Pass && row.verdict != Verdict::Fail)
                ++count;
        }
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
