// A run driven from the header: Start Test, StartAllTest, group starts,
// Abort, Exit, Print, the context menu and every event the station hears.

#include "HeaderFixture.h"
#include "frame/DesktopOpen.h"
#include "run/GroupWindow.h"
#include "ui/Cabinet.h"
#include "ui/CabinetWindow.h"
#include "ui/WindowHandle.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class RunControlTest : public HeaderTest {
protected:
    void SetUp() override {
        HeaderTest::SetUp();
        qputenv("XQ_REPORT_PDF", "1");
    }
    QPushButton* groupStart(int window) {
        return runSession().groupWindows.at(window)->findChild<QPushButton*>(
            QStringLiteral("cmdStart"));
    }
    QString reportText() {
        return QString::fromUtf8(readFile(resultsDir() + QStringLiteral("XQ_Report.txt")));
    }
};

TEST_F(RunControlTest, StartTestRunsAWholeRunThroughTheStationsHandler) {
    menu->ShowMenu();
    QStringList seen;
    QObject::connect(menu.get(), &XQMenu32::AllTestClick, [&](const QString& product) {
        seen << product;
        // Inside the handler the run is active and its results are reset.
        EXPECT_TRUE(runLooksActive());
        EXPECT_FALSE(groupStart(0)->isEnabled());
        EXPECT_EQ(result(1), QStringLiteral("----|----"));
        EXPECT_NE(result(QStringLiteral("StartTestTime")), QStringLiteral("<absent>"));
        EXPECT_EQ(result(QStringLiteral("OperatorID")), QStringLiteral("OP01"));
        menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0);
        menu->SendData(QStringLiteral("Power"), QStringLiteral("Input current"), 0.2);
        menu->SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 5.0);
    });
    press("cmdStartTest");
    EXPECT_EQ(seen, QStringList{QStringLiteral("PSU")});
    EXPECT_EQ(result(3), QStringLiteral("5|Pass"));
    EXPECT_TRUE(runLooksActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu->OverallPassFail() == "PASS"; }, 2000));
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("PASS"));
    window().grab().save(QDir::tempPath() + QStringLiteral("/xq-header-testing.png"));

    menu->StopTest();
    EXPECT_TRUE(runLooksIdle());
    EXPECT_TRUE(groupStart(0)->isEnabled());
    EXPECT_NE(result(QStringLiteral("EndTestTime")), QStringLiteral("<absent>"));
    EXPECT_TRUE(recorder->messages.empty()) << recorder->texts().join('|').toStdString();
}

TEST_F(RunControlTest, StartAllTestReturnsAfterTheHandler) {
    menu->ShowMenu();
    bool handled = false;
    QObject::connect(menu.get(), &XQMenu32::AllTestClick, [&](const QString&) {
        QTest::qWait(30); // the handler lets events run, as a measuring one does
        handled = true;
    });
    EXPECT_TRUE(menu->StartAllTest());
    EXPECT_TRUE(handled);
    EXPECT_TRUE(runLooksActive());
    EXPECT_EQ(menu->ATEID(), QStringLiteral("ATE-07"));
    // A second start inside the running test would wipe its results.
    menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0);
    EXPECT_FALSE(menu->StartAllTest());
    EXPECT_EQ(result(1), QStringLiteral("12|Pass"));
    menu->StopTest();
    EXPECT_TRUE(menu->StartAllTest());
}

TEST_F(RunControlTest, StartAllTestWithoutProductSaysSo) {
    runModel().run.product.clear();
    QSignalSpy started(menu.get(), &XQMenu32::AllTestClick);
    EXPECT_FALSE(menu->StartAllTest());
    EXPECT_EQ(recorder->texts(), QStringList{QStringLiteral("Not found product name!.")});
    EXPECT_EQ(recorder->messages.front().icon, MessageIcon::Exclamation);
    EXPECT_EQ(started.size(), 0);
}

TEST_F(RunControlTest, StartAllTestRefusedByTheIntegrityCheck) {
    library().adminPassword = QStringLiteral("secret");
    QSignalSpy started(menu.get(), &XQMenu32::AllTestClick);
    answerInfoBox(Cancel); // the admin password is not given
    EXPECT_FALSE(menu->StartAllTest());
    EXPECT_TRUE(recorder->texts().contains(
        QStringLiteral("Either or both of INI file(s) has changed and need the permissive use!.")));
    EXPECT_EQ(recorder->messages.back().icon, MessageIcon::Critical);
    EXPECT_EQ(started.size(), 0);
    EXPECT_EQ(result(1), QStringLiteral("<absent>"));
    library().adminPassword.clear();
}

TEST_F(RunControlTest, AbortConfirmedTellsTheStationAndWaitsForStopTest) {
    menu->ShowMenu();
    ASSERT_TRUE(menu->StartAllTest());
    QSignalSpy aborted(menu.get(), &XQMenu32::AbortClick);

    answerInfoBox(Cancel);
    press("cmdExit");
    EXPECT_EQ(lastQuestion, QStringLiteral("\n\n\n\nWould you like abort the testing?."));
    EXPECT_EQ(aborted.size(), 0);
    EXPECT_EQ(result(QStringLiteral("EndTestTime")), QString());

    answerInfoBox(OK);
    press("cmdExit");
    EXPECT_EQ(aborted.size(), 1);
    EXPECT_FALSE(result(QStringLiteral("EndTestTime")).isEmpty());
    EXPECT_TRUE(header().runEnded());
    EXPECT_FALSE(button("cmdStartTest")->isEnabled());
    menu->StopTest();
    EXPECT_TRUE(runLooksIdle());
}

TEST_F(RunControlTest, ExitPressedTwiceQuicklyAsksOnce) {
    menu->ShowMenu();
    QSignalSpy exited(menu.get(), &XQMenu32::ExitClick);
    int questions = 0;
    whenModalShows([&](QWidget* dialog) {
        ++questions;
        lastQuestion = childNamed<QTextEdit>(dialog, QStringLiteral("txtMessage"))->toPlainText();
        button("cmdExit")->click(); // the second press while the question is open
        clickButton(dialog, QString::fromLatin1(OK));
    });
    press("cmdExit");
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(lastQuestion, QStringLiteral("\n\n\n\nWould you like terminate from test program?."));
    EXPECT_EQ(exited.size(), 1);
}

TEST_F(RunControlTest, PrintMarksTheReportAndRestoresTheVerdict) {
    menu->ShowMenu();
    ASSERT_TRUE(menu->StartAllTest());
    menu->SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"), 9.0);
    menu->StopTest();
    ASSERT_TRUE(QTest::qWaitFor([&] { return result("OverallPassFail") == "FAIL"; }, 2000));
    QSignalSpy printed(menu.get(), &XQMenu32::PrintClick);

    answerInfoBox(OK);
    press("cmdPrint");
    EXPECT_EQ(lastQuestion, QStringLiteral("\n\n\n\nThis report may not complete results, would "
                                           "you like to print anyway?."));
    EXPECT_TRUE(reportText().contains(QStringLiteral("THIS REPORT WAS PRINTED MANUALLY")))
        << reportText().toStdString();
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("FAIL"));
    EXPECT_EQ(printed.size(), 1);
    EXPECT_TRUE(window().clockTimer().isActive());

    answerInfoBox(Cancel);
    press("cmdPrint");
    EXPECT_EQ(printed.size(), 1);
}

// The report notes its own times; the header adds no verdict of its own.
TEST_F(RunControlTest, PrintWithoutResultsFileWritesNoVerdict) {
    menu->ShowMenu();
    QFile::remove(resultsFile());
    QSignalSpy printed(menu.get(), &XQMenu32::PrintClick);
    answerInfoBox(OK);
    press("cmdPrint");
    EXPECT_EQ(result(QStringLiteral("OverallPassFail")), QStringLiteral("<absent>"));
    EXPECT_EQ(printed.size(), 1);
}

// ---- Group starts ------------------------------------------------------------

TEST_F(RunControlTest, GroupStartRaisesGroupTestClickOnce) {
    menu->ShowMenu();
    QList<QStringList> seen;
    QObject::connect(menu.get(), &XQMenu32::GroupTestClick,
                     [&](const QString& product, const QString& group) {
                         seen << QStringList{product, group};
                         EXPECT_TRUE(runLooksActive());
                         // A start asked for while this handler runs (and
                         // lets events run) must not start again.
                         emit runModel().groupStartRequested(group);
                         QCoreApplication::processEvents();
                     });
    QTest::mouseClick(groupStart(1), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !seen.isEmpty(); }, 2000));
    EXPECT_EQ(seen, (QList<QStringList>{{"PSU", "Output"}}));
    EXPECT_FALSE(header().runEnded());
    QCoreApplication::processEvents();
    EXPECT_EQ(seen.size(), 1);
}

TEST_F(RunControlTest, GroupNamedLikeAHeaderItemStartsItsTest) {
    writeProducts("1=P,1,2,,V,Print,Rail,\r\n2=H,1,2,,V,Hide,Rail,\r\n3=<EOT>\r\n");
    menu->ShowMenu();
    QSignalSpy groups(menu.get(), &XQMenu32::GroupTestClick);
    QSignalSpy printed(menu.get(), &XQMenu32::PrintClick);
    QSignalSpy hidden(menu.get(), &XQMenu32::Hide);
    QTest::mouseClick(groupStart(0), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return groups.size() == 1; }, 2000));
    EXPECT_EQ(groups.front().at(1).toString(), QStringLiteral("Print"));
    EXPECT_EQ(printed.size() + hidden.size(), 0);
}

TEST_F(RunControlTest, GroupStartDuringARunIsNotPossible) {
    menu->ShowMenu();
    ASSERT_TRUE(menu->StartAllTest());
    QSignalSpy groups(menu.get(), &XQMenu32::GroupTestClick);
    QSignalSpy asked(&runModel(), &RunModel::groupStartRequested);
    QTest::mouseClick(groupStart(0), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(asked.size(), 0);
    EXPECT_EQ(groups.size(), 0);
}

// ---- The context menu, the pictures and their events ---------------------------

struct EntryCase {
    const char* caption;
    const char* signal; // SIGNAL() text of the event it raises
};

class MenuEntryTest : public RunControlTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(MenuEntryTest, RaisesItsEvent) {
    menu->ShowMenu();
    QSignalSpy spy(menu.get(), GetParam().signal);
    entry(GetParam().caption)->trigger();
    EXPECT_EQ(spy.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Table, MenuEntryTest,
                         ::testing::Values(EntryCase{"Calibration", SIGNAL(CalibrationClick())},
                                           EntryCase{"Diagnostic", SIGNAL(DiagnosticClick())},
                                           EntryCase{"Hide", SIGNAL(Hide())}),
                         [](const auto& param) { return std::string(param.param.caption); });

TEST_F(RunControlTest, LogoDoubleClickRaisesItsEvent) {
    menu->ShowMenu();
    QSignalSpy logo(menu.get(), &XQMenu32::LogoDoubleClick);
    QTest::mouseDClick(picture("imgLogo"), Qt::LeftButton);
    EXPECT_EQ(logo.size(), 1);
}

TEST_F(RunControlTest, HideGoesIntoTheCabinetAndComesBackAsTheMenu) {
    menu->ShowMenu();
    QSignalSpy hidden(menu.get(), &XQMenu32::Hide);
    QTest::mouseDClick(picture("picClipControl"), Qt::LeftButton);
    ASSERT_EQ(hidden.size(), 1);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(runSession().groupWindows.isEmpty());
    EXPECT_EQ(result(1), QStringLiteral("----|----"));
    const ShelfTable& shelves = cabinet().shelves();
    int shelf = -1;
    for (int i = 0; i < ShelfTable::Count; ++i) {
        if (shelves.at(i).listed && shelves.at(i).caption == QLatin1String("Test Menu"))
            shelf = i;
    }
    ASSERT_GE(shelf, 0);

    cabinet().chooseShelf(shelf);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window().isVisible(); }, 2000));
    EXPECT_EQ(runSession().groupWindows.size(), 2);
}

TEST_F(RunControlTest, MenuPictureDoubleClickDuringARunKeepsTheRun) {
    menu->ShowMenu();
    ASSERT_TRUE(menu->StartAllTest());
    menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0);
    QSignalSpy hidden(menu.get(), &XQMenu32::Hide);
    QTest::mouseDClick(picture("picClipControl"), Qt::LeftButton);
    EXPECT_EQ(hidden.size(), 0);
    EXPECT_EQ(result(1), QStringLiteral("12|Pass"));
}

TEST_F(RunControlTest, ShowCabinetEntryOpensTheCabinet) {
    menu->ShowMenu();
    entry("Show Cabinet")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([] { return cabinet().window().isVisible(); }, 3000));
}

TEST_F(RunControlTest, AboutEntryShowsTheAboutBox) {
    menu->ShowMenu();
    QString shown;
    whenModalShows([&](QWidget* dialog) {
        shown = dialog->objectName();
        clickButton(dialog, QStringLiteral("cmdOK"));
    });
    entry("About")->trigger();
    EXPECT_EQ(shown, QStringLiteral("frmAbout"));
}

// The editor is a script that notes the file it was given.
struct EditorCase {
    const char* caption;
    const char* file; // below the test's root folder
};

class EditorEntryTest : public RunControlTest, public ::testing::WithParamInterface<EditorCase> {
protected:
    // A desktop that cannot open anything: the report falls back to the editor.
    void SetUp() override {
        RunControlTest::SetUp();
        previousOpener_ = replaceDesktopOpener([](const QUrl&) { return false; });
    }
    void TearDown() override {
        replaceDesktopOpener(previousOpener_);
        RunControlTest::TearDown();
    }

private:
    DesktopOpener previousOpener_;
};

TEST_P(EditorEntryTest, OpensItsFileInTheEditor) {
    const QString noted = root() + QStringLiteral("opened.txt");
    const QString editor = root() + QStringLiteral("editor.sh");
    // Written aside and renamed, so that the test never reads a half-written note.
    writeFile(editor, "#!/bin/sh\nprintf '%s' \"$1\" > " + noted.toUtf8() + ".part && mv " +
                          noted.toUtf8() + ".part " + noted.toUtf8() + "\n");
    QFile::setPermissions(editor, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("VISUAL", editor.toUtf8());
    writeFile(resultsDir() + QStringLiteral("XQ_Report.txt"), "report\n");
    library().iniDirectory = iniDir();
    menu->ShowMenu();
    entry(GetParam().caption)->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(noted); }, 3000));
    EXPECT_EQ(QString::fromUtf8(readFile(noted)), root() + QLatin1String(GetParam().file));
    qunsetenv("VISUAL");
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditorEntryTest,
    ::testing::Values(EditorCase{"Open ATE.INI", "ini/ATE.INI"},
                      EditorCase{"Open PRODUCTS.INI", "ini/PRODUCTS.INI"},
                      EditorCase{"Open Last Report", "windir/XQ_Report.txt"}),
    [](const auto& param) {
        QString name = QString::fromLatin1(param.param.caption);
        return name.remove(QLatin1Char(' ')).remove(QLatin1Char('.')).toStdString();
    });

// The last report opens in the desktop's own viewer, not in a terminal
// editor that has no terminal to show in.
TEST_F(RunControlTest, TheLastReportOpensWithTheDesktopsDefaultApplication) {
    QList<QUrl> opened;
    const DesktopOpener previous = replaceDesktopOpener([&](const QUrl& file) {
        opened << file;
        return true;
    });
    writeFile(resultsDir() + QStringLiteral("XQ_Report.txt"), "report\n");
    menu->ShowMenu();
    entry("Open Last Report")->trigger();
    replaceDesktopOpener(previous);
    EXPECT_EQ(opened,
              QList<QUrl>{QUrl::fromLocalFile(resultsDir() + QStringLiteral("XQ_Report.txt"))});
}

// The windows of a newly chosen product come with the next run reset.
TEST_F(RunControlTest, NewProductIsBuiltAtTheNextStart) {
    writeIni(QStringLiteral("PRODUCTS.INI"),
             "[PSU]\r\n[PSU Spec]\r\n1=V,1,2,,V,Power,Rail,\r\n2=<EOT>\r\n"
             "[LED]\r\n[LED Spec]\r\n1=A,1,2,,V,Light,Red,\r\n2=B,1,2,,V,Colour,Hue,\r\n"
             "3=<EOT>\r\n");
    menu->ShowMenu();
    ASSERT_EQ(runSession().groupWindows.size(), 1);
    runModel().run.product = QStringLiteral("LED");
    menu->ShowMenu();
    EXPECT_EQ(runSession().groupWindows.size(), 1);
    QStringList products;
    QObject::connect(menu.get(), &XQMenu32::AllTestClick,
                     [&](const QString& product) { products << product; });
    press("cmdStartTest");
    EXPECT_EQ(runSession().groupWindows.size(), 2);
    EXPECT_EQ(products, QStringList{QStringLiteral("LED")});
    EXPECT_EQ(label("lblProductName"), QStringLiteral("LED"));
}

TEST_F(RunControlTest, OnlyTheMenuWhoseHeaderWasTakenOutShowsItself) {
    menu->ShowMenu();
    // A second menu object with its header in the cabinet too.
    XQMenu32 other;
    QTest::mouseDClick(picture("picClipControl"), Qt::LeftButton);
    ASSERT_FALSE(window().isVisible());
    QSignalSpy asked(&cabinet(), &Cabinet::menuShowRequested);
    HeaderControl& otherHeader = *other.findChild<HeaderControl*>();
    cabinet().addToCabinet(otherHeader.window(), QStringLiteral("Other"));
    cabinet().restoreByHandle(windowHandle(otherHeader.window()));
    ASSERT_EQ(asked.size(), 1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window().isVisible());
}

} // namespace
