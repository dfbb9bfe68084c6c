#pragma once

#include "frame/Verdict.h"
#include "run/GroupRows.h"
#include "run/PageLayout.h"
#include "run/RunData.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <vector>

namespace XQTestDev {

// One row of the test menu: a test line with its limits and what was last
// sent for it.
struct RunRow {
    GroupRowSpec spec; // line number, parameter, shown limits, unit
    QString value;     // as shown, empty when cleared
    Verdict verdict = Verdict::Untested;
    // What the run recorded for the line ("5.25|Pass"), kept whether or not
    // the results file took it: the run's record is made from here.
    QString recorded;
    QDateTime measuredAt; // null until recorded
};

// How the unit's run stands, for the verdict rules that rows alone cannot
// tell: an aborted run fails, and so, where the station asks for it, does a
// finished run with untested lines.
struct RunStanding {
    // A run is active from its start (Start Test, StartAllTest, a group's
    // Start) until StopTest or a confirmed abort. The only record of it: the
    // header's buttons and the menu object follow it.
    bool active = false;
    bool ended = false;   // StopTest or a confirmed abort; a new start clears it
    bool aborted = false; // the operator aborted this unit's run
    bool untestedLinesFail = false;
    // A write of the results file failed during this run: the file no longer
    // tells this unit's story, so nothing is taken from it for this run.
    bool resultsFileFailed = false;
};

// One test group of the menu, in menu order.
struct RunGroup {
    QString name;
    bool specError = false; // its load found a faulty test line
    std::vector<RunRow> rows;
};

// Where a result goes: group and row index; invalid when not found.
struct RowRef {
    int group = -1;
    int row = -1;
    explicit operator bool() const { return group >= 0; }
};

// The data of the run, one per library: the run data, the groups with their
// rows and verdicts, the page table and the overall verdict. It holds no
// window; the group windows observe rowChanged and paint from it, and every
// reader of the run (the results file, the verdict clock, the report, the
// header) asks it.
class RunModel : public QObject {
    Q_OBJECT

public:
    RunData run;            // product, operator, serial number...
    PageLayoutState layout; // page table, layout column, first index of page
    QString overallVerdict; // "PASS", "FAIL" or empty, as last computed
    QString writtenVerdict; // what OverallPassFail of the results file holds
    RunStanding standing;
    // TestSoftwareVersion of the results file, kept when the header menu opens;
    // the report and the database writer print it when given no version.
    QString softwareVersion;

    int groupCount() const { return static_cast<int>(groups_.size()); }
    const RunGroup& group(int index) const { return groups_[static_cast<size_t>(index)]; }
    const RunRow& row(RowRef at) const;
    const std::vector<RunGroup>& groups() const { return groups_; }

    // Adds a group at the end of the menu order; returns its index.
    int addGroup(const QString& name, const GroupRows& rows);
    // Forgets every group (the windows are closed) and the page table.
    void removeGroups();

    // In the first group named exactly `group`, the first row whose parameter
    // is exactly `parameter`.
    RowRef findRow(const QString& group, const QString& parameter) const;

    void setResult(RowRef at, const QString& value, Verdict verdict);
    // The line's result as recorded for the unit, at `when`.
    void noteRecorded(RowRef at, const QString& recorded, const QDateTime& when);
    void clearRow(RowRef at);
    void clearGroup(int group);
    void clearAll();
    // Values still reading "TESTING" once a run is over are removed.
    void clearTesting();

signals:
    void rowChanged(int group, int row);
    // A group window's Start was confirmed and its results reset: the menu
    // object's header starts the group's test.
    void groupStartRequested(const QString& groupName);

private:
    std::vector<RunGroup> groups_;
};

// The overall verdict of the unit: "FAIL" when the run was aborted or any row
// failed, or when the run has ended with untested lines and the station makes
// them fail; else "PASS" when any row passed, else empty. Rows under test and
// rows whose value is blank are not counted.
QString overallVerdict(const RunModel& model);

} // namespace XQTestDev
