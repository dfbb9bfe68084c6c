#include "run/RunModel.h"

#include "run/UntestedLines.h"

namespace XQTestDev {

const RunRow& RunModel::row(RowRef at) const {
    return groups_[static_cast<size_t>(at.group)].rows[static_cast<size_t>(at.row)];
}

int RunModel::addGroup(const QString& name, const GroupRows& rows) {
    RunGroup group{name, rows.specError, {}};
    for (const GroupRowSpec& spec : rows.rows)
        group.rows.push_back({spec, {}, Verdict::Untested, {}, {}});
    groups_.push_back(std::move(group));
    return groupCount() - 1;
}

void RunModel::removeGroups() {
    groups_.clear();
    layout.clear();
}

RowRef RunModel::findRow(const QString& group, const QString& parameter) const {
    for (int g = 0; g < groupCount(); ++g) {
        const RunGroup& candidate = groups_[static_cast<size_t>(g)];
        if (candidate.name != group)
            continue;
        for (int r = 0; r < static_cast<int>(candidate.rows.size()); ++r) {
            if (candidate.rows[static_cast<size_t>(r)].spec.parameter == parameter)
                return {g, r};
        }
        return {};
    }
    return {};
}

void RunModel::setResult(RowRef at, const QString& value, Verdict verdict) {
    RunRow& row = groups_[static_cast<size_t>(at.group)].rows[static_cast<size_t>(at.row)];
    row.value = value;
    row.verdict = verdict;
    emit rowChanged(at.group, at.row);
}

void RunModel::noteRecorded(RowRef at, const QString& recorded, const QDateTime& when) {
    RunRow& row = groups_[static_cast<size_t>(at.group)].rows[static_cast<size_t>(at.row)];
    row.recorded = recorded;
    row.measuredAt = when;
}

void RunModel::clearRow(RowRef at) {
    RunRow& row = groups_[static_cast<size_t>(at.group)].rows[static_cast<size_t>(at.row)];
    row.recorded.clear();
    row.measuredAt = QDateTime();
    setResult(at, QString(), Verdict::Untested);
}

void RunModel::clearGroup(int group) {
    const int rows = static_cast<int>(groups_[static_cast<size_t>(group)].rows.size());
    for (int r = 0; r < rows; ++r)
        clearRow({group, r});
}

void RunModel::clearAll() {
    for (int g = 0; g < groupCount(); ++g)
        clearGroup(g);
}

void RunModel::clearTesting() {
    for (int g = 0; g < groupCount(); ++g) {
        const std::vector<RunRow>& rows = groups_[static_cast<size_t>(g)].rows;
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            if (rows[static_cast<size_t>(r)].verdict == Verdict::Testing)
                clearRow({g, r});
        }
    }
}

QString overallVerdict(const RunModel& model) {
    if (model.standing.aborted)
        return QStringLiteral("FAIL");
    bool anyPass = false;
    for (const RunGroup& group : model.groups()) {
        for (const RunRow& row : group.rows) {
            // A blank value is nothing measured: neither pass nor fail.
            if (QStringView(row.value).trimmed().isEmpty())
                continue;
            if (row.verdict == Verdict::Fail)
                return QStringLiteral("FAIL");
            anyPass = anyPass || row.verdict == Verdict::Pass;
        }
    }
    if (model.standing.ended && model.standing.untestedLinesFail && untestedLineCount(model) > 0)
        return QStringLiteral("FAIL");
    return anyPass ? QStringLiteral("PASS") : QString();
}

} // namespace XQTestDev
