#include "run/UserEntryDialog.h"

#include "frame/Placement.h"
#include "frame/ScreenUnits.h"
#include "run/CustomerLogo.h"
#include "run/EntryText.h"
#include "run/RunSession.h"
#include "run/UserEntryChoices.h"
#include "ui/WindowParts.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTimer>

namespace XQTestDev {

namespace {

// Layout in twips. The fields stand in one column in the order the operator
// tabs through them; the logo sits to their right, the remark rows below.
constexpr int WindowWidth = 7440;
constexpr int Margin = 120;
constexpr int LabelWidth = 1500;
constexpr int FieldLeft = 1700;
constexpr int FieldWidth = 3000;
constexpr int FieldHeight = 330;
constexpr int RowPitch = 400;
constexpr int RemarkTop = Margin + 7 * RowPitch;
constexpr int RemarkPitch = 415;
constexpr int RemarkFieldWidth = WindowWidth - FieldLeft - 2 * Margin;
constexpr int LogoLeft = 4900;
constexpr int LogoSize = 2400;
constexpr int ButtonWidth = 1150;
constexpr int ButtonHeight = 420;
constexpr int ButtonGap = 100;
constexpr int ButtonBottomMargin = 145;

QLineEdit* makeTextField(QWidget* parent, const QString& name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(LongestEntryText);
    return field;
}

QComboBox* makeList(QWidget* parent, const char* name, bool editable) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(editable);
    if (editable) {
        box->setInsertPolicy(QComboBox::NoInsert);
        box->lineEdit()->setMaxLength(LongestEntryText);
    }
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    // Enter moves between fields and presses only the button that has the
    // focus, never a default button from inside a field.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

bool isEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

UserEntryDialog::UserEntryDialog(const QString& serialNumber, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmUserEntry"));
    setWindowTitle(QStringLiteral("User Entry"));
    setModal(true);
    createControls();
    placeControls();
    setTabOrder();
    watchKeysAndFocus();
    fill(serialNumber);
    resizeForRemarkRows();
    placeWindow(*this, Center);
}

UserEntryDialog::~UserEntryDialog() = default;

void UserEntryDialog::createControls() {
    lblOperatorID_ = makeLabel(this, "lblOperatorID", QStringLiteral("User ID"));
    lblTestID_ = makeLabel(this, "lblTestID", QStringLiteral("Test ID"));
    lblUUTSerialNumber_ = makeLabel(this, "lblUUTSerialNumber", QStringLiteral("Serial No."));
    lblWorkOrderNumber_ = makeLabel(this, "lblWorkOrderNumber", QStringLiteral("WO/Lot No."));
    lblProduct_ = makeLabel(this, "lblProduct", QStringLiteral("Product"));
    lblModel_ = makeLabel(this, "lblModel", QStringLiteral("Model"));
    lblRevision_ = makeLabel(this, "lblRevision", QStringLiteral("Revision"));

    txtOperatorID_ = makeTextField(this, QStringLiteral("txtOperatorID"));
    cboTestID_ = makeList(this, "cboTestID", true);
    txtUUTSerialNumber_ = makeTextField(this, QStringLiteral("txtUUTSerialNumber"));
    txtWorkOrderNumber_ = makeTextField(this, QStringLiteral("txtWorkOrderNumber"));
    cboTestProduct_ = makeList(this, "cboTestProduct", false);
    cboModel_ = makeList(this, "cboModel", true);
    cboRevision_ = makeList(this, "cboRevision", true);
    createRemarkRows();

    imgLogo_ = new QLabel(this);
    imgLogo_->setObjectName(QStringLiteral("imgLogo"));
    imgLogo_->setAlignment(Qt::AlignCenter);

    cmdOK_ = makeButton(this, "cmdOK", QStringLiteral("OK"));
    cmdCancel_ = makeButton(this, "cmdCancel", QStringLiteral("Cancel"));
    connect(cmdOK_, &QPushButton::clicked, this, &UserEntryDialog::pressOK);
    connect(cmdCancel_, &QPushButton::clicked, this, &UserEntryDialog::pressCancel);
    connect(cboTestProduct_, &QComboBox::currentIndexChanged, this,
            &UserEntryDialog::productChanged);
}

void UserEntryDialog::createRemarkRows() {
    for (int row = 0; row < MaxRemarkRows; ++row) {
        lblRemark_[row] = makeLabel(this, QStringLiteral("lblRemark_%1").arg(row));
        txtRemark_[row] = makeTextField(this, QStringLiteral("txtRemark_%1").arg(row));
        lblRemark_[row]->hide();
        txtRemark_[row]->hide();
    }
}

void UserEntryDialog::placeControls() {
    const std::array<std::pair<QLabel*, QWidget*>, 7> rows = {{
        {lblOperatorID_, txtOperatorID_},
        {lblTestID_, cboTestID_},
        {lblUUTSerialNumber_, txtUUTSerialNumber_},
        {lblWorkOrderNumber_, txtWorkOrderNumber_},
        {lblProduct_, cboTestProduct_},
        {lblModel_, cboModel_},
        {lblRevision_, cboRevision_},
    }};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int top = Margin + static_cast<int>(i) * RowPitch;
        rows[i].first->setGeometry(twipsRect(Margin, top, LabelWidth, FieldHeight));
        rows[i].second->setGeometry(twipsRect(FieldLeft, top, FieldWidth, FieldHeight));
    }
    for (int row = 0; row < MaxRemarkRows; ++row) {
        const int top = RemarkTop + row * RemarkPitch;
        lblRemark_[row]->setGeometry(twipsRect(Margin, top, LabelWidth, FieldHeight));
        txtRemark_[row]->setGeometry(twipsRect(FieldLeft, top, RemarkFieldWidth, FieldHeight));
    }
    imgLogo_->setGeometry(twipsRect(LogoLeft, Margin, LogoSize, LogoSize));
}

void UserEntryDialog::setTabOrder() {
    QWidget* order[] = {txtOperatorID_,  cboTestID_,    txtUUTSerialNumber_, txtWorkOrderNumber_,
                        cboTestProduct_, cboModel_,     cboRevision_,        txtRemark_[0],
                        txtRemark_[1],   txtRemark_[2], txtRemark_[3],       cmdOK_,
                        cmdCancel_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void UserEntryDialog::watchKeysAndFocus() {
    for (QLineEdit* field : {txtOperatorID_, txtUUTSerialNumber_, txtWorkOrderNumber_})
        field->installEventFilter(this);
    for (QLineEdit* field : txtRemark_)
        field->installEventFilter(this);
    for (QPushButton* button : {cmdOK_, cmdCancel_})
        button->installEventFilter(this);
    for (QComboBox* box : {cboTestID_, cboTestProduct_, cboModel_, cboRevision_}) {
        box->installEventFilter(this);
        if (box->lineEdit())
            box->lineEdit()->installEventFilter(this);
    }
}

bool UserEntryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (isEnterKey(event)) {
        if (auto* button = qobject_cast<QPushButton*>(watched)) {
            button->click();
            return true;
        }
        moveFocusForward(1);
        return true;
    }
    if (event->type() == QEvent::FocusIn) {
        // After the focus change settles, so that a mouse click that gave the
        // focus does not undo the selection.
        if (auto* field = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void UserEntryDialog::fill(const QString& serialNumber) {
    filling_ = true;
    const RunData& run = runModel().run;
    const StationEntryLists lists = readStationEntryLists();
    cboTestID_->addItems(lists.testIds);
    cboTestID_->setCurrentIndex(-1);
    if (lists.products.isEmpty()) {
        // Nothing to test on this station: the operator can only cancel.
        cboTestProduct_->setEnabled(false);
        setModelRequired(false);
        setRevisionRequired(false);
        cmdOK_->setEnabled(false);
        setCancelAllowed(true);
        showCustomerLogo(QString());
        filling_ = false;
        return;
    }
    fillProducts(lists.products, lists.productDefault);
    prefillFromRunData(serialNumber, lists.testIdDefault);
    showCustomerLogo(lists.customerLogo);
    operatorKnown_ = !run.operatorId.isEmpty();
    // The first entry after the library is loaded must be accepted.
    setCancelAllowed(runSession().userEntryOpened);
    runSession().userEntryOpened = true;
    filling_ = false;
}

void UserEntryDialog::fillProducts(const QStringList& products, const QString& productDefault) {
    // The product's lists are read once, for the product finally preselected.
    {
        const QSignalBlocker quiet(cboTestProduct_);
        cboTestProduct_->addItems(products);
        const QString& chosen = runModel().run.product;
        const QString preselect = !chosen.isEmpty() ? chosen : productDefault;
        const int index = preselect.isEmpty() ? -1 : cboTestProduct_->findText(preselect);
        cboTestProduct_->setCurrentIndex(index >= 0 ? index : 0);
    }
    cboTestProduct_->setEnabled(products.size() > 1);
    productChanged();
}

void UserEntryDialog::prefillFromRunData(const QString& serialNumber,
                                         const QString& testIdDefault) {
    const RunData& run = runModel().run;
    txtOperatorID_->setText(run.operatorId);
    txtUUTSerialNumber_->setText(serialNumber);
    txtWorkOrderNumber_->setText(run.workOrder);
    const QString testId = !run.testId.isEmpty() ? run.testId : testIdDefault;
    if (!testId.isEmpty())
        cboTestID_->setEditText(testId);
    // A box with one fixed item (or none) keeps what the product defines.
    if (!run.model.isEmpty() && modelRequired_)
        cboModel_->setEditText(run.model);
    if (!run.revision.isEmpty() && revisionRequired_)
        cboRevision_->setEditText(run.revision);
    for (int row = 0; row < MaxRemarkRows; ++row)
        txtRemark_[row]->setText(run.remarks[row]);
}

void UserEntryDialog::showCustomerLogo(const QString& configuredName) {
    imgLogo_->setPixmap(customerLogoPicture(configuredName, imgLogo_->size()));
}

void UserEntryDialog::productChanged() {
    const QString product = cboTestProduct_->currentText();
    if (!filling_ && product != runModel().run.product) {
        // The kept remarks belong to the old product: a Cancel after this
        // change must not offer them under the next product's captions.
        runModel().run.remarks.fill(QString());
        for (QLineEdit* field : txtRemark_)
            field->clear();
    }
    const ProductEntryLists lists = readProductEntryLists(product);
    setModelRequired(fillChoiceBox(cboModel_, lists.models));
    setRevisionRequired(fillChoiceBox(cboRevision_, lists.revisions));
    showRemarkRows(lists.remarkCaptions);
}

// No item: disabled and empty. One item: shown, disabled. More: enabled, to
// be picked.
bool UserEntryDialog::fillChoiceBox(QComboBox* box, const QStringList& items) {
    box->clear();
    box->clearEditText();
    box->addItems(items);
    box->setCurrentIndex(items.size() == 1 ? 0 : -1);
    return items.size() > 1;
}

void UserEntryDialog::setModelRequired(bool required) {
    modelRequired_ = required;
    cboModel_->setEnabled(required);
}

void UserEntryDialog::setRevisionRequired(bool required) {
    revisionRequired_ = required;
    cboRevision_->setEnabled(required);
}

void UserEntryDialog::setCancelAllowed(bool allowed) {
    cancelAllowed_ = allowed;
    cmdCancel_->setEnabled(allowed);
}

void UserEntryDialog::showRemarkRows(const QStringList& captions) {
    remarkCaptions_ = captions;
    for (int row = 0; row < MaxRemarkRows; ++row) {
        const bool inUse = row < captions.size();
        lblRemark_[row]->setText(inUse ? captions[row] : QString());
        lblRemark_[row]->setVisible(inUse);
        txtRemark_[row]->setVisible(inUse);
        txtRemark_[row]->setEnabled(inUse);
    }
    resizeForRemarkRows();
}

void UserEntryDialog::resizeForRemarkRows() {
    const int height = userEntryHeightTwips(remarkRowsInUse());
    const int buttonsTop = height - ButtonBottomMargin - ButtonHeight;
    cmdCancel_->setGeometry(
        twipsRect(WindowWidth - Margin - ButtonWidth, buttonsTop, ButtonWidth, ButtonHeight));
    cmdOK_->setGeometry(twipsRect(WindowWidth - Margin - 2 * ButtonWidth - ButtonGap, buttonsTop,
                                  ButtonWidth, ButtonHeight));
    setFixedSize(toPixelsX(WindowWidth), toPixelsY(height));
}

void UserEntryDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    txtOperatorID_->setFocus(Qt::OtherFocusReason);
    // A known operator goes straight on to the unit's own data.
    if (operatorKnown_)
        moveFocusForward(2);
}

void UserEntryDialog::moveFocusForward(int fields) {
    for (int i = 0; i < fields; ++i)
        focusNextChild();
}

EntryInput UserEntryDialog::collect() const {
    EntryInput input;
    input.product = cboTestProduct_->currentText();
    input.model = cboModel_->currentText();
    input.revision = cboRevision_->currentText();
    input.testId = cboTestID_->currentText();
    input.operatorId = txtOperatorID_->text();
    input.serialNumber = txtUUTSerialNumber_->text();
    input.workOrder = txtWorkOrderNumber_->text();
    input.modelRequired = modelRequired_;
    input.revisionRequired = revisionRequired_;
    input.remarkCaptions = remarkCaptions_;
    for (int row = 0; row < MaxRemarkRows; ++row)
        input.remarks[row] = txtRemark_[row]->text();
    return input;
}

QWidget* UserEntryDialog::fieldOf(const EntryRefusal& refusal) const {
    switch (refusal.field) {
    case EntryField::OperatorId:
        return txtOperatorID_;
    case EntryField::SerialNumber:
        return txtUUTSerialNumber_;
    case EntryField::TestId:
        return cboTestID_;
    case EntryField::Product:
        return cboTestProduct_;
    case EntryField::Model:
        return cboModel_;
    case EntryField::Revision:
        return cboRevision_;
    case EntryField::Remark:
        return refusal.remarkRow >= 0 && refusal.remarkRow < MaxRemarkRows
                   ? txtRemark_[refusal.remarkRow]
                   : txtOperatorID_;
    }
    return txtOperatorID_;
}

void UserEntryDialog::pressOK() {
    if (const auto refusal = acceptEntry(collect(), runModel().run)) {
        fieldOf(*refusal)->setFocus(Qt::OtherFocusReason);
        return;
    }
    done(Accepted);
}

void UserEntryDialog::pressCancel() {
    runModel().run.entryCancelled = true;
    done(Rejected);
}

// Escape, and closing the window, count as Cancel, and only while Cancel can
// be pressed.
void UserEntryDialog::reject() {
    if (cancelAllowed_)
        pressCancel();
}

void UserEntryDialog::closeEvent(QCloseEvent* event) {
    if (!cancelAllowed_) {
        event->ignore();
        return;
    }
    pressCancel();
    event->accept();
}

} // namespace XQTestDev
