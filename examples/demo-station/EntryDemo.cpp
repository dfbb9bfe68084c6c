#include "EntryDemo.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQUtility32.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <memory>

using namespace XQTestDev;

namespace {

const QString DemoAdminPassword = QStringLiteral("bench-admin");

// What the automatic operator types.
struct DemoEntry {
    QString operatorId = QStringLiteral("OP01");
    // As long as serial numbers get on the line: 25 characters.
    QString serialNumber = QStringLiteral("NW55-2026-12-000100010042");
    QString workOrder = QStringLiteral("WO-4410");
    QStringList remarks = {QStringLiteral("FX-01"), QStringLiteral("1.4.2")};
};

QWidget* visibleWindow(const QString& windowName) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == windowName && widget->isVisible())
            return widget;
    }
    return nullptr;
}

void typeInto(QWidget* window, const QString& fieldName, const QString& text) {
    if (auto* field = window->findChild<QLineEdit*>(fieldName))
        field->setText(text);
    else if (auto* box = window->findChild<QComboBox*>(fieldName); box && box->isEditable())
        box->setEditText(text);
}

// A list with several items and nothing picked gets its first item.
void pickFirstWhenEmpty(QWidget* window, const char* listName) {
    auto* box = window->findChild<QComboBox*>(QLatin1String(listName));
    if (box && box->isEnabled() && box->currentText().isEmpty() && box->count() > 0)
        box->setCurrentIndex(0);
}

void press(QWidget* window, const QString& buttonName) {
    if (auto* button = window->findChild<QAbstractButton*>(buttonName)) {
        report(QStringLiteral("  (auto) pressing %1 \"%2\" in %3")
                   .arg(buttonName, button->text(), window->objectName()));
        button->click();
    }
}

void fillUserEntry(QWidget* window, const DemoEntry& entry) {
    typeInto(window, QStringLiteral("txtOperatorID"), entry.operatorId);
    typeInto(window, QStringLiteral("txtUUTSerialNumber"), entry.serialNumber);
    typeInto(window, QStringLiteral("txtWorkOrderNumber"), entry.workOrder);
    pickFirstWhenEmpty(window, "cboTestID");
    pickFirstWhenEmpty(window, "cboModel");
    pickFirstWhenEmpty(window, "cboRevision");
    for (int row = 0; row < entry.remarks.size(); ++row) {
        auto* field = window->findChild<QLineEdit*>(QStringLiteral("txtRemark_%1").arg(row));
        if (field && field->isVisible())
            field->setText(entry.remarks[row]);
    }
}

// While the user entry is open: fills and accepts it, and answers every
// password prompt of the integrity check with the admin password.
class AutomaticOperator : public QObject {
public:
    AutomaticOperator() {
        connect(&poll_, &QTimer::timeout, this, [this] { look(); });
        poll_.start(20);
    }

private:
    void look() {
        if (QWidget* prompt = visibleWindow(QStringLiteral("frmGeneralInfoBox"))) {
            answerPasswordPrompt(prompt);
            return;
        }
        // While OK of the entry is being handled, only its prompts are answered.
        if (pressingOK_)
            return;
        if (QWidget* entry = visibleWindow(QStringLiteral("frmUserEntry")))
            answerUserEntry(entry);
    }

    void answerPasswordPrompt(QWidget* prompt) {
        auto* input = prompt->findChild<QLineEdit*>(QStringLiteral("txtInput"));
        if (!input || !input->isVisible())
            return;
        report(QStringLiteral("  (auto) typing the admin password"));
        input->setText(DemoAdminPassword);
        press(prompt, QStringLiteral("cmdButtonSet_2"));
    }

    void answerUserEntry(QWidget* window) {
        // An entry the station refuses three times would never be accepted:
        // give up instead of waiting for ever.
        if (++attempts_ > 3) {
            report(QStringLiteral("  (auto) the user entry was not accepted; giving up"));
            if (auto* dialog = qobject_cast<QDialog*>(window))
                dialog->reject();
            return;
        }
        fillUserEntry(window, DemoEntry());
        // Pressed from a timer of its own: OK opens the password prompts in a
        // nested event loop, where this poll must keep running.
        pressingOK_ = true;
        QTimer::singleShot(0, window, [this, window] {
            press(window, QStringLiteral("cmdOK"));
            pressingOK_ = false;
        });
    }

    QTimer poll_;
    int attempts_ = 0;
    bool pressingOK_ = false;
};

void reportRunData(XQMenu32& menu) {
    report(QStringLiteral("Unit entered: product %1, model %2, revision %3")
               .arg(menu.TestProduct(), menu.Model(), menu.Revision()));
    report(
        QStringLiteral("  operator %1, serial number %2, work order %3, test ID %4")
            .arg(menu.OperatorID(), menu.SerialNumber(), menu.WorkOrderLotNumber(), menu.TestID()));
    report(QStringLiteral("  tester %1, started %2")
               .arg(menu.ATEID(), menu.StartTime().toString(Qt::ISODate)));
}

} // namespace

bool enterUnitData(XQUtility32& utility, XQMenu32& menu, const DemoSession& session) {
    utility.setAdminPassword(DemoAdminPassword);
    report(QStringLiteral("Admin password set; changed configuration files need \"%1\"")
               .arg(DemoAdminPassword));
    std::unique_ptr<AutomaticOperator> automatic;
    if (session.automatic)
        automatic = std::make_unique<AutomaticOperator>();
    const bool accepted = menu.ShowUserEntry();
    if (!accepted) {
        report(QStringLiteral("User entry cancelled"));
        return false;
    }
    reportRunData(menu);
    return true;
}
