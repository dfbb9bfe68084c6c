#pragma once

#include "RunFixture.h"
#include "frame/Clock.h"
#include "run/HeaderControl.h"
#include "support/ModalDriver.h"

#include <XQTestDev/XQMenu32.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>

namespace XQTestDev::testing {

// A station with a product of two groups (or as many as a test writes) and a
// menu object whose header is at hand. The clock ticks fast: every 20 ms.
class HeaderTest : public RunTest {
protected:
    static constexpr const char* OK = "cmdButtonSet_2";
    static constexpr const char* Cancel = "cmdButtonSet_0";

    void SetUp() override {
        RunTest::SetUp();
        writeIni(QStringLiteral("ATE.INI"), "[ATE Configuration]\r\nID=ATE-07\r\n");
        writeProducts(
            "1=VIN,11.4,12.6,12,V,Power,Input voltage,\r\n2=IIN,,0.5,,A,Power,Input current,\r\n"
            "3=VOUT,4.75,5.25,5,V,Output,Output voltage,\r\n4=<EOT>\r\n");
        RunData& run = runModel().run;
        run.operatorId = QStringLiteral("OP01");
        run.serialNumber = QStringLiteral("SN-0001");
        run.testId = QStringLiteral("FINAL");
        menu = std::make_unique<XQMenu32>();
        menu->setEnableTestPrompt(false);
        header().window().clockTimer().setInterval(20);
    }
    void TearDown() override {
        menu.reset();
        RunTest::TearDown();
    }

    void writeProducts(const QByteArray& specLines) {
        writeIni(QStringLiteral("PRODUCTS.INI"),
                 "[PSU]\r\nCustomerName=Acme Power\r\nCustomerPN=PN-5V-10A\r\n\r\n[PSU Spec]\r\n" +
                     specLines);
    }

    HeaderControl& header() { return *menu->findChild<HeaderControl*>(); }
    HeaderWindow& window() { return header().window(); }
    QString label(const char* name) {
        auto* l = window().findChild<QLabel*>(QLatin1String(name));
        return l ? l->text() : QStringLiteral("<none>");
    }
    QLabel* picture(const char* name) { return window().findChild<QLabel*>(QLatin1String(name)); }
    QPushButton* button(const char* name) {
        return window().findChild<QPushButton*>(QLatin1String(name));
    }
    QAction* entry(const char* caption) {
        for (QAction* action :
             window().findChild<QMenu*>(QStringLiteral("mnuXQTestMenu"))->actions()) {
            if (action->text() == QLatin1String(caption))
                return action;
        }
        return nullptr;
    }
    // A real click on one of the header's buttons.
    void press(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    // Answers the next InfoBox with `answer`, keeping its text.
    void answerInfoBox(const char* answer) {
        whenModalShows([this, answer](QWidget* dialog) {
            if (auto* message = childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage")))
                lastQuestion = message->toPlainText();
            clickButton(dialog, QString::fromLatin1(answer));
        });
    }

    bool runLooksActive() {
        return button("cmdExit")->text() == QLatin1String("Abort") &&
               !button("cmdStartTest")->isEnabled() && !button("cmdPrint")->isEnabled() &&
               !entry("About")->isVisible() && !entry("Hide")->isVisible() &&
               !entry("Calibration")->isVisible() && !entry("Diagnostic")->isVisible() &&
               !entry("Show Cabinet")->isVisible();
    }
    bool runLooksIdle() {
        return button("cmdExit")->text() == QLatin1String("Exit") &&
               button("cmdStartTest")->isEnabled() && button("cmdPrint")->isEnabled() &&
               entry("About")->isVisible() && entry("Hide")->isVisible() &&
               entry("Show Cabinet")->isVisible();
    }

    QString lastQuestion;
    std::unique_ptr<XQMenu32> menu;
};

} // namespace XQTestDev::testing
