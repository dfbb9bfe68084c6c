#include "SharedWindowsFixture.h"

#include "frame/LibraryState.h"
#include "ui/Cabinet.h"
#include "ui/ElidedLabel.h"
#include "ui/RoundButton.h"
#include "ui/SharedWindows.h"
#include "ui/StatusWindow.h"

#include <XQTestDev/XQUtility32.h>

#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class StatusWindowTest : public SharedWindowsTest {
protected:
    QString lineText(int line) const {
        auto* label = statusWindow().findChild<QLabel*>(QStringLiteral("lblInfo_%1").arg(line));
        return label ? label->text() : QStringLiteral("<no label>");
    }
    RoundButton* roundButton() const {
        return statusWindow().findChild<RoundButton*>(QStringLiteral("picClipControl"));
    }
    XQUtility32 utility;
};

TEST_F(StatusWindowTest, LinesZeroToThreeAreWrittenAndOthersRefused) {
    utility.SendStatusMessage(QStringLiteral("last line"), 3);
    EXPECT_EQ(lineText(3), QStringLiteral("last line"));
    EXPECT_TRUE(recorder->messages.empty());

    for (int refused : {4, -1, 1000}) {
        utility.SendStatusMessage(QStringLiteral("nowhere"), refused);
        ASSERT_FALSE(recorder->messages.empty()) << refused;
        EXPECT_EQ(recorder->messages.back().text, QStringLiteral("Invalid Line Number!"));
        EXPECT_EQ(recorder->messages.back().icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(recorder->messages.size(), 3u);
    for (int line = 0; line < 3; ++line)
        EXPECT_TRUE(lineText(line).isEmpty()) << line;
    EXPECT_EQ(lineText(3), QStringLiteral("last line"));
}

TEST_F(StatusWindowTest, ARefusedLineDoesNotCreateTheWindow) {
    utility.SendStatusMessage(QStringLiteral("nowhere"), 4);
    EXPECT_EQ(existingStatusWindow(), nullptr);
    utility.SendStatusMessage(QStringLiteral("first"));
    ASSERT_NE(existingStatusWindow(), nullptr);
    EXPECT_EQ(existingStatusWindow()->objectName(), QStringLiteral("frmGeneralInfo"));
    EXPECT_EQ(lineText(0), QStringLiteral("first")); // line 0 by default
}

TEST_F(StatusWindowTest, ClearAllMessageLeavesOnlyTheLineWritten) {
    for (int line = 0; line < 4; ++line)
        utility.SendStatusMessage(QStringLiteral("line %1").arg(line), line);
    utility.SendStatusMessage(QStringLiteral("fresh"), 1, true);
    EXPECT_TRUE(lineText(0).isEmpty());
    EXPECT_EQ(lineText(1), QStringLiteral("fresh"));
    EXPECT_TRUE(lineText(2).isEmpty());
    EXPECT_TRUE(lineText(3).isEmpty());
}

TEST_F(StatusWindowTest, AHiddenWindowStaysHidden) {
    utility.SendStatusMessage(QStringLiteral("quiet"), 0);
    EXPECT_FALSE(statusWindow().isVisible());
}

TEST_F(StatusWindowTest, AShownWindowComesToTheFrontUnlessSuspendedOrHidden) {
    statusWindow().show();
    StackingCounter raised(&statusWindow());

    library().onTopSuspended = true;
    utility.SendStatusMessage(QStringLiteral("while a menu is open"), 2);
    EXPECT_EQ(lineText(2), QStringLiteral("while a menu is open"));
    EXPECT_EQ(raised.count, 0);

    library().onTopSuspended = false;
    library().statusHide = true;
    utility.SendStatusMessage(QStringLiteral("status hidden"), 2);
    EXPECT_EQ(raised.count, 0);

    library().statusHide = false;
    utility.SendStatusMessage(QStringLiteral("to the front"), 2);
    EXPECT_EQ(raised.count, 1);
}

// A line longer than the window ends in "…" inside the window; the program
// still reads back the whole text, and the operator finds it in the tooltip.
struct LongLineCase {
    const char* name;
    QString text;
    bool elided;
};

class StatusLineLength : public StatusWindowTest,
                         public ::testing::WithParamInterface<LongLineCase> {};

TEST_P(StatusLineLength, IsShownWholeOrElidedWithinTheWindow) {
    const LongLineCase& c = GetParam();
    statusWindow().show();
    for (int line = 0; line < 4; ++line) // line 0 is bold, the others not
        utility.SendStatusMessage(c.text, line);
    const QImage picture = statusWindow().grab().toImage();
    const QString folder = qEnvironmentVariable("XQ_TEST_PICTURES", root());
    ASSERT_TRUE(picture.save(folder + QStringLiteral("/status-%1.png").arg(c.name), "PNG"));
    for (int line = 0; line < 4; ++line) {
        auto* label =
            statusWindow().findChild<ElidedLabel*>(QStringLiteral("lblInfo_%1").arg(line));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), c.text);
        const QString shown = label->shownText();
        EXPECT_EQ(label->isElided(), c.elided) << shown.toStdString();
        EXPECT_EQ(shown.endsWith(QChar(0x2026)), c.elided) << shown.toStdString();
        EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(shown),
                  label->contentsRect().width());
        EXPECT_LE(label->geometry().right(), statusWindow().rect().right());
        EXPECT_EQ(label->toolTip(), c.elided ? c.text : QString());
        if (c.elided) { // the start of the line is kept
            EXPECT_TRUE(c.text.startsWith(shown.chopped(1))) << shown.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StatusLineLength,
    ::testing::Values(
        LongLineCase{"Short", QStringLiteral("Measuring VOUT1"), false},
        LongLineCase{"Long",
                     QStringLiteral("Measuring the output voltage of channel 12 at full load "
                                    "with the electronic load in constant-current mode"),
                     true},
        LongLineCase{"LongAccented",
                     QStringLiteral("Température ambiante trop élevée : 47 °C mesurés, "
                                    "ΔT = 12 K au-dessus de la consigne de l'étuve"),
                     true}),
    [](const ::testing::TestParamInfo<LongLineCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(StatusWindowTest, TheLinesAreVerdana) {
    utility.SendStatusMessage(QStringLiteral("font"), 0);
    for (int line = 0; line < 4; ++line) {
        auto* label = statusWindow().findChild<QLabel*>(QStringLiteral("lblInfo_%1").arg(line));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->font().families().value(0), QStringLiteral("Verdana"));
    }
}

TEST_F(StatusWindowTest, TheRoundButtonShowsItsPressAndPutsTheWindowAwayAsStatusPanal) {
    statusWindow().show();
    RoundButton* button = roundButton();
    ASSERT_NE(button, nullptr);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(button->looksPressed());
    EXPECT_TRUE(statusWindow().isVisible());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(button->looksPressed());

    EXPECT_FALSE(statusWindow().isVisible());
    EXPECT_EQ(cabinet().shelves().listedCaptions(), QStringList{QStringLiteral("Status Panal")});
}

TEST_F(StatusWindowTest, ReleasingTheButtonOutsideItDoesNotPutTheWindowAway) {
    statusWindow().show();
    RoundButton* button = roundButton();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-40, 5));
    EXPECT_TRUE(statusWindow().isVisible());
    EXPECT_TRUE(cabinet().shelves().listedCaptions().isEmpty());
}

TEST_F(StatusWindowTest, TheHideItemPutsTheWindowAwayAndTheFlagComesBack) {
    statusWindow().show();
    bool suspendedWhileOpen = false;
    whenPopupShows(QStringLiteral("mnuHide"),
                   [&](QMenu*) { suspendedWhileOpen = library().onTopSuspended; });
    QTest::mousePress(roundButton(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(suspendedWhileOpen);
    EXPECT_FALSE(library().onTopSuspended);
    EXPECT_FALSE(statusWindow().isVisible());
    EXPECT_EQ(cabinet().shelves().listedCaptions(), QStringList{QStringLiteral("Status Panal")});

    // And back out of the cabinet at its old place.
    cabinet().chooseShelf(0);
    EXPECT_TRUE(statusWindow().isVisible());
}

TEST_F(StatusWindowTest, DraggingALineMovesTheWindow) {
    statusWindow().move(100, 100);
    statusWindow().show();
    auto* line = statusWindow().findChild<QLabel*>(QStringLiteral("lblInfo_2"));
    QTest::mousePress(line, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseMove(line, QPoint(40, 25));
    QTest::mouseRelease(line, Qt::LeftButton, {}, QPoint(40, 25));
    EXPECT_EQ(statusWindow().pos(), QPoint(130, 120));
}

} // namespace
