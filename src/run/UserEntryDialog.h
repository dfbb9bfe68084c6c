#pragma once

#include "run/UserEntryRules.h"

#include <QDialog>
#include <QString>
#include <QStringList>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace XQTestDev {

struct ProductEntryLists;

// The user entry window (frmUserEntry): who tests which unit of which
// product. It fills itself from ATE.INI, PRODUCTS.INI and the run data,
// collects what the operator types and hands OK to acceptEntry(); Cancel marks
// the entry cancelled. The run data change only through those two.
class UserEntryDialog : public QDialog {
    Q_OBJECT

public:
    // `serialNumber` prefills the serial number field.
    explicit UserEntryDialog(const QString& serialNumber, QWidget* parent = nullptr);
    ~UserEntryDialog() override;

    int remarkRowsInUse() const { return static_cast<int>(remarkCaptions_.size()); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void createControls();
    void createRemarkRows();
    void placeControls();
    void setTabOrder();
    void watchKeysAndFocus();

    void fill(const QString& serialNumber);
    void fillProducts(const QStringList& products, const QString& productDefault);
    void prefillFromRunData(const QString& serialNumber, const QString& testIdDefault);
    void showCustomerLogo(const QString& configuredName);

    void productChanged();
    // Fills a model or revision box; returns whether the operator must pick.
    bool fillChoiceBox(QComboBox* box, const QStringList& items);
    void setModelRequired(bool required);
    void setRevisionRequired(bool required);
    void setCancelAllowed(bool allowed);
    void showRemarkRows(const QStringList& captions);
    void resizeForRemarkRows();

    void pressOK();
    void pressCancel();
    EntryInput collect() const;
    QWidget* fieldOf(const EntryRefusal& refusal) const;
    void moveFocusForward(int fields);

    QLabel* lblProduct_ = nullptr;
    QLabel* lblModel_ = nullptr;
    QLabel* lblRevision_ = nullptr;
    QLabel* lblTestID_ = nullptr;
    QLabel* lblOperatorID_ = nullptr;
    QLabel* lblUUTSerialNumber_ = nullptr;
    QLabel* lblWorkOrderNumber_ = nullptr;
    QComboBox* cboTestProduct_ = nullptr;
    QComboBox* cboModel_ = nullptr;
    QComboBox* cboRevision_ = nullptr;
    QComboBox* cboTestID_ = nullptr;
    QLineEdit* txtOperatorID_ = nullptr;
    QLineEdit* txtUUTSerialNumber_ = nullptr;
    QLineEdit* txtWorkOrderNumber_ = nullptr;
    std::array<QLabel*, 4> lblRemark_{};
    std::array<QLineEdit*, 4> txtRemark_{};
    QLabel* imgLogo_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;

    QStringList remarkCaptions_; // rows in use
    bool filling_ = false;
    bool operatorKnown_ = false;
    // A model (revision) must be picked when the product offers more than
    // one; their boxes are enabled exactly then.
    bool modelRequired_ = true;
    bool revisionRequired_ = true;
    bool cancelAllowed_ = true; // the first entry after loading must be accepted
};

} // namespace XQTestDev
