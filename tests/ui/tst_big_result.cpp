#include "SharedWindowsFixture.h"
#include "frame/Clock.h"

#include "support/ModalDriver.h"
#include "ui/BigResultWindow.h"
#include "ui/Pictures.h"

#include <XQTestDev/XQUtility32.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class BigResultTest : public SharedWindowsTest {
protected:
    XQUtility32 utility;
};

bool visibleNamed(QWidget* root, const char* name) {
    auto* label = childNamed<QLabel>(root, QLatin1String(name));
    return label && label->isVisible();
}

// The verdict window is answered from the keyboard as well: Enter presses
// OK, and Escape (the window has no Cancel) closes it as OK does.
class BigResultKeys : public BigResultTest, public ::testing::WithParamInterface<int> {};

TEST_P(BigResultKeys, CloseTheWindow) {
    const int key = GetParam();
    bool shown = false;
    whenModalShows([&](QWidget* window) {
        shown = true;
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    });
    utility.ShowBigPass();
    EXPECT_TRUE(shown);
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->objectName() == QStringLiteral("frmBigResult") && window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Table, BigResultKeys,
                         ::testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape));

// The mean brightness of the window as drawn: a blank white window reads
// near 255, the FAIL badge far lower.
static double meanLightness(QWidget* window) {
    const QImage shot = window->grab().toImage();
    double sum = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            sum += QColor(shot.pixel(x, y)).lightness();
    return sum / ((shot.height() + 1) / 2 * ((shot.width() + 1) / 2));
}

TEST_F(BigResultTest, ShowBigFailBlocksUntilOKWhileTheFailPictureBlinksBrightAndDim) {
    bool sawWindow = false;
    bool passEverShown = false;
    bool failEverHidden = false;
    int failChanges = 0;
    bool okPressed = false;
    double lightest = 0;
    double darkest = 255;
    double blankWindow = 0;
    ManualClock clock;
    whenModalShows([&](QWidget* window) {
        sawWindow = window->objectName() == QStringLiteral("frmBigResult");
        EXPECT_TRUE(visibleNamed(window, "imgFail"));
        auto* blink = window->findChild<ClockTimer*>(QStringLiteral("tmrBlink"));
        ASSERT_NE(blink, nullptr);
        EXPECT_EQ(blink->interval(), 400);
        auto* fail = window->findChild<QLabel*>(QStringLiteral("imgFail"));
        // Watch the picture for a while; the call must not return meanwhile.
        qint64 lastLook = fail->pixmap().cacheKey();
        for (int sample = 0; sample < 26; ++sample) {
            clock.advance(50);
            passEverShown = passEverShown || visibleNamed(window, "imgPass");
            failEverHidden = failEverHidden || !visibleNamed(window, "imgFail");
            const qint64 look = fail->pixmap().cacheKey();
            failChanges += look != lastLook ? 1 : 0;
            lastLook = look;
            const double lightness = meanLightness(window);
            lightest = std::max(lightest, lightness);
            darkest = std::min(darkest, lightness);
        }
        fail->hide();
        blankWindow = meanLightness(window); // what a blink to blank would show
        fail->show();
        okPressed = true;
        clickButton(window, QStringLiteral("cmdOK"));
    });
    utility.ShowBigFail();
    EXPECT_TRUE(okPressed); // returned only after OK
    EXPECT_TRUE(sawWindow);
    EXPECT_FALSE(passEverShown);
    EXPECT_FALSE(failEverHidden) << "the verdict never blinks to a blank window";
    EXPECT_EQ(failChanges, 3); // 1.3 s at 400 ms
    EXPECT_LT(lightest, blankWindow - 5) << "even the dim half shows the badge";
    EXPECT_GT(lightest - darkest, 10) << "the two halves of a blink differ";
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(widget->objectName() == QStringLiteral("frmBigResult") && widget->isVisible());
}

TEST_F(BigResultTest, ShowBigPassShowsThePassPicture) {
    bool passShown = false;
    bool failShown = true;
    whenModalShows([&](QWidget* window) {
        passShown = visibleNamed(window, "imgPass");
        failShown = visibleNamed(window, "imgFail");
        EXPECT_FALSE(childNamed<QLabel>(window, QStringLiteral("imgPass"))->pixmap().isNull());
        clickButton(window, QStringLiteral("cmdOK"));
    });
    utility.ShowBigPass();
    EXPECT_TRUE(passShown);
    EXPECT_FALSE(failShown);
}

TEST_F(BigResultTest, AnyOtherResultTextShowsNeitherPicture) {
    ManualClock clock;
    BigResultWindow window(QStringLiteral("pass")); // not the exact word
    window.show();
    clock.advance(500);
    EXPECT_FALSE(visibleNamed(&window, "imgPass"));
    EXPECT_FALSE(visibleNamed(&window, "imgFail"));
}

TEST_F(BigResultTest, TheAboutWindowShowsTheMakersLogoAndVersion) {
    QString version;
    bool logoShown = false;
    whenModalShows([&](QWidget* window) {
        EXPECT_EQ(window->objectName(), QStringLiteral("frmAbout"));
        if (auto* label = childNamed<QLabel>(window, QStringLiteral("lblVersion")))
            version = label->text();
        auto* logo = childNamed<QLabel>(window, QStringLiteral("imgLogo"));
        logoShown = logo && logo->isVisible() && !logo->pixmap().isNull();
        clickButton(window, QStringLiteral("cmdOK"));
    });
    utility.ShowAbout();
    EXPECT_EQ(version, QStringLiteral("Version 1.0.2"));
    EXPECT_TRUE(logoShown);
}

TEST(Pictures, EveryPictureOfTheLibraryIsInItsResources) {
    for (const char* name : {"ROUNDBUTTONUP", "ROUNDBUTTONDOWN", "ROUNDBUTTONDISABLE", "GREENON",
                             "GREENOFF", "XQPASS", "XQFAIL", "CABINETLOGO", "MAKERLOGO"})
        EXPECT_FALSE(libraryPicture(QLatin1String(name)).isNull()) << name;
    EXPECT_TRUE(libraryPicture(QStringLiteral("NOSUCHPICTURE")).isNull());
    EXPECT_TRUE(libraryPicture(QString()).isNull());
}

// High-DPI screens get every picture painted at twice the pixels, not an
// upscaled bitmap: same drawing, twice the size, more detail than the plain
// one enlarged.
TEST(Pictures, EveryPictureHasATwiceAsSharpForm) {
    for (const char* name : {"ROUNDBUTTONUP", "GREENON", "XQPASS", "XQFAIL", "CABINETLOGO",
                             "MAKERLOGO", "LEDGREENVER", "LEFTUP", "RIGHTDISABLE"}) {
        const QImage plain(libraryPicturePath(QLatin1String(name)), "PNG");
        const QImage sharp(libraryPicturePath(QLatin1String(name)) + QStringLiteral("@2x"), "PNG");
        ASSERT_FALSE(sharp.isNull()) << name;
        EXPECT_EQ(sharp.size(), plain.size() * 2) << name;
        const QImage enlarged = plain.scaled(sharp.size()).convertToFormat(sharp.format());
        EXPECT_NE(enlarged, sharp) << name << " is drawn again, not enlarged";
    }
}

} // namespace
