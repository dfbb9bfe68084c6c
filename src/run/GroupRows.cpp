#include "run/GroupRows.h"

#include "frame/MessageBox.h"
#include "run/RunMessages.h"

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
    for (int number = 1; number <= LastSpecKey; ++number) {
        const TestLine& line = spec.line(number);
        switch (line.kind) {
        case LineKind::Empty:
            showExclamation(RunMessages::specNotComplete(number));
            load.specError = true;
            return load;
        case LineKind::EndTag:
            return load;
        case LineKind::Incomplete:
            showExclamation(RunMessages::specNotCompleted(number));
            load.specError = true;
            return load;
        case LineKind::Complete:
            break;
        }
        if (line.groupName.compare(groupName, Qt::CaseInsensitive) != 0)
            continue;
        if (static_cast<int>(load.rows.size()) >= rowLimit) {
            showExclamation(RunMessages::tooManyRows(rowLimit));
            load.specError = true;
            return load;
        }
        GroupRowSpec row = rowOf(line);
        if (limitsCrossed(row)) {
            showExclamation(RunMessages::specError(number));
            load.specError = true;
        }
        load.rows.push_back(std::move(row));
    }
    showExclamation(RunMessages::endTagNotReached());
    load.specError = true;
    return load;
}

} // namespace XQTestDev
