#include "run/GroupRows.h"

#include "config/ProductMessages.h"
#include "frame/MessageBox.h"
#include "frame/NumberText.h"
#include "run/RunMessages.h"
#include "run/StatusNote.h"
#include "ui/RunNotice.h"

namespace XQTestDev {

namespace {

constexpr int TallScreenHeight = 11520;

bool limitsCrossed(const GroupRowSpec& row) {
    if (!isNumericText(row.minimum) || !isNumericText(row.maximum))
        return false;
    return !(leadingNumber(row.maximum) > leadingNumber(row.minimum));
}

GroupRowSpec rowOf(const TestLine& line) {
    return {line.number, line.parameterName.trimmed(), shownLimit(line.minSpec),
            shownLimit(line.maxSpec), line.unit.trimmed()};
}

} // namespace

int rowLimitFor(int usableScreenHeight) {
    return usableScreenHeight < TallScreenHeight ? 10 : 15;
}

QString shownLimit(const QString& field) {
    const QString trimmed = field.trimmed();
    return isNumericText(trimmed) ? trimmed : QString(NoLimitText);
}

GroupRows loadGroupRows(const ProductSpec& spec, const QString& groupName, int rowLimit) {
    GroupRows load;
    TestLineWalk walk(spec, AtGap::Stop, AtShortLine::Stop);
    while (const TestLine* line = walk.next()) {
        if (line->groupName.compare(groupName, Qt::CaseInsensitive) != 0)
            continue;
        if (static_cast<int>(load.rows.size()) >= rowLimit) {
            showExclamation(RunMessages::tooManyRows(rowLimit));
            sayRunNotice(tooManyRowsNote(groupName.trimmed(), spec.product(), rowLimit));
            load.specError = true;
            return load;
        }
        GroupRowSpec row = rowOf(*line);
        if (limitsCrossed(row)) {
            showExclamation(ProductMessages::specError(line->number));
            load.specError = true;
        }
        load.rows.push_back(std::move(row));
    }
    switch (walk.end()) {
    case WalkEnd::EndTag:
        return load;
    case WalkEnd::Gap:
        showExclamation(ProductMessages::specNotComplete(walk.endLine()));
        break;
    case WalkEnd::ShortLine:
        showExclamation(ProductMessages::specNotCompleted(walk.endLine()));
        break;
    case WalkEnd::NoEndTag:
        showExclamation(ProductMessages::endTagNotReached());
        break;
    }
    load.specError = true;
    return load;
}

} // namespace XQTestDev
