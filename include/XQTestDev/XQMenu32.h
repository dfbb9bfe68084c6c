#pragma once

#include <XQTestDev/Enums.h>
#include <XQTestDev/Export.h>

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>

#include <memory>

namespace XQTestDev {

class XQMenu32Private;

// One test line of a product as PRODUCTS.INI writes it: its key in the
// "<product> Spec" section and its fields, exactly as written.
struct TestLineInfo {
    QString key; // "1", "2", ...
    QString fieldName;
    QString group;
    QString parameter;
    QString minSpec;
    QString maxSpec;
    QString targetSpec;
    QString unit;
    QString customFlag;
};

// The run that ended last (StopTest or a confirmed Abort): where its record
// file is, and the verdict and untested lines every output of it shows. An
// empty path before any run of this menu ended.
struct LastRunInfo {
    QString path;
    QString verdict; // "PASS" or "FAIL"
    int untested = 0;
    bool aborted = false;
};

// The test run: the header menu and the group windows built from the
// product's test lines, the judging and recording of every measured result,
// and the overall verdict. Every operator action on the header reaches the
// station program as one of the signals below. Creating one starts a new
// unit: the previous results file is deleted.
class XQTESTDEV_EXPORT XQMenu32 : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(XQMenu32)

public:
    explicit XQMenu32(QObject* parent = nullptr);
    ~XQMenu32() override;

    // Shows the user entry (frmUserEntry) modally. True when the operator
    // accepted it: its data become this object's run properties and the shown
    // results are cleared. False when it was cancelled.
    bool ShowUserEntry();

    // The user entry without its window, for an automated cell (the serial
    // number from a scanner, no operator): the same required fields, the
    // product's lists and the same messages. An empty product is the one the
    // window preselects, an empty test ID the station's default, an empty
    // model or revision the product's only one. True when accepted, as OK;
    // false with the window's message when refused.
    bool EnterUser(const QString& OperatorID, const QString& TestProduct, const QString& Model,
                   const QString& Revision, const QString& TestID, const QString& SerialNumber,
                   const QString& WorkOrderLotNumber = QString(),
                   const QStringList& Remarks = QStringList());

    // Shows the group windows of the current product, building them first when
    // none exist. With no product chosen yet the user entry comes first, and
    // cancelling it ends ShowMenu.
    void ShowMenu();
    // Closes the group windows and resets the results section for a new run.
    void HideMenu();
    // Empties the shown values and sets every line of the results to untested.
    void ClearResults();
    // Shows, judges, colours and records one result. True only when the result
    // was recorded with the verdict Pass.
    bool SendData(const QString& GroupName, const QString& ParameterName,
                  const QVariant& TestResult, bool MovePage = true);
    // Ends the run: the header returns to idle (Exit, Start Test, Print and the
    // group Start buttons come back, the elapsed time stops) and EndTestTime
    // is written.
    void StopTest();
    // "PASS", "FAIL" or empty, as last computed from the shown values.
    QString OverallPassFail() const;

    // The data of this object's last accepted user entry; empty texts and a
    // null StartTime (the zero date) before the first one.
    QString Model() const;
    QString Revision() const;
    QString TestProduct() const;
    QDateTime StartTime() const;
    QString OperatorID() const;
    QString TestID() const;
    // Read from ATE.INI on every call.
    QString ATEID() const;
    QString SerialNumber() const;
    // Changes the serial number of the run at once, in the results file too.
    void setSerialNumber(const QString& serialNumber);
    QString WorkOrderLotNumber() const;

    // Group windows created from now on ask before a group test.
    bool EnableTestPrompt() const;
    void setEnableTestPrompt(bool enabled);

    // Keeps the group Start buttons disabled from the next ShowMenu or run end.
    bool DisableGroupTestButton() const;
    void setDisableGroupTestButton(bool disabled);

    // The cabinet into which the library's small windows are put away: opened
    // at its saved place, or shrunk away.
    void ShowCabinet();
    void HideCabinet();

    // Starts a run as if the operator pressed Start Test: the results are
    // reset and AllTestClick is raised. Returns after the station program's
    // handler of AllTestClick has returned; false (with a message) when no
    // product is chosen or the changed configuration is refused.
    bool StartAllTest();

    // Where the header and the group windows stand across the screen. Any
    // value other than MenuLeft and MenuRight centres them; 0 until set.
    MenuPositions MenuPosition() const;
    void setMenuPosition(MenuPositions position);

    // Keeps the header's PASS and FAIL pictures hidden, or lets them show again.
    void HidePassFail();
    void ShowPassFail();

    // The elapsed time of the run as the header shows it.
    QTime HPU() const;

    // One field of the test line of this group and parameter, exactly as
    // written in PRODUCTS.INI (case and blanks of the names count). Empty when
    // nothing matches; failures show their message and give empty text.
    QString GetDBFieldName(const QString& GroupName, const QString& ParameterName) const;
    QVariant GetMinSpec(const QString& GroupName, const QString& ParameterName) const;
    QVariant GetMaxSpec(const QString& GroupName, const QString& ParameterName) const;
    QVariant GetTargetSpec(const QString& GroupName, const QString& ParameterName) const;
    QString GetUnit(const QString& GroupName, const QString& ParameterName) const;
    QString GetCustomFlag(const QString& GroupName, const QString& ParameterName) const;
    // The product's test lines in menu order (the groups as the menu orders
    // them, each group's lines in key order), up to the end tag; empty when
    // the product has none.
    QList<TestLineInfo> TestLines(const QString& ProductName) const;
    LastRunInfo LastRunRecord() const;

signals:
    // Raised synchronously: a handler that measures blocks the call that
    // raised it (StartAllTest, the header's buttons).
    void AllTestClick(const QString& ProductName);
    void GroupTestClick(const QString& ProductName, const QString& GroupName);
    void AbortClick();
    void ExitClick();
    void PrintClick();
    void LogoDoubleClick();
    void Hide();
    void CalibrationClick();
    void DiagnosticClick();
    void PageNextClick(const QString& ProductName);
    void PagePreviousClick(const QString& ProductName);

private:
    std::unique_ptr<XQMenu32Private> d;
};

// Ends the run in progress as the header's confirmed Abort does (AbortClick,
// the run recorded as aborted) and returns the header to idle; `reason` goes
// to standard error and the status window. False when no run is active. For
// what ends a run from outside: an exception in a handler, Ctrl-C.
XQTESTDEV_EXPORT bool abortRunInProgress(const QString& reason);

} // namespace XQTestDev
