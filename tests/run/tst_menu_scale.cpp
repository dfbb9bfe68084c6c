// MenuScale of ATE.INI: the whole test menu drawn larger, its windows placed
// by the same rules in their scaled sizes.

#include "HeaderFixture.h"
#include "frame/ScreenUnits.h"
#include "run/GroupWindow.h"
#include "run/HeaderWindow.h"
#include "run/MenuScale.h"
#include "support/ColourVision.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

struct SettingCase {
    const char* name;
    const char* text;
    bool automatic;
    double factor;
};

class MenuScaleSettings : public ::testing::TestWithParam<SettingCase> {};

TEST_P(MenuScaleSettings, ReadsAsAFactorOrAuto) {
    const SettingCase& c = GetParam();
    const MenuScaleSetting setting = parseMenuScale(QLatin1String(c.text));
    EXPECT_EQ(setting.automatic, c.automatic);
    EXPECT_DOUBLE_EQ(setting.factor, c.factor);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MenuScaleSettings,
    ::testing::Values(SettingCase{"Empty", "", false, 1}, SettingCase{"One", "1", false, 1},
                      SettingCase{"Factor", " 1.5 ", false, 1.5},
                      SettingCase{"Auto", "Auto", true, 1},
                      SettingCase{"AutoInLowerCase", "auto", true, 1},
                      SettingCase{"NotANumber", "big", false, 1},
                      SettingCase{"Zero", "0", false, 1},
                      SettingCase{"TooLarge", "10", false, LargestMenuScale},
                      SettingCase{"TooSmall", "0.1", false, SmallestMenuScale}),
    [](const auto& row) { return std::string(row.param.name); });

struct ScreenCase {
    const char* name;
    int widthPixels;
    int heightPixels;
    double factor;
};

class AutomaticScale : public ::testing::TestWithParam<ScreenCase> {};

// The usable screen is the screen less 30 twips, at 15 twips a pixel.
TEST_P(AutomaticScale, FitsTheScreensHeightWithoutGettingWiderThanIt) {
    const ScreenCase& c = GetParam();
    const int width = c.widthPixels * 15 - 30;
    const int height = c.heightPixels * 15 - 30;
    EXPECT_DOUBLE_EQ(automaticMenuScale(width, height, rowLimitFor(height)), c.factor);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AutomaticScale,
    ::testing::Values(ScreenCase{"Xga", 1024, 768, 1.30},     // the width limits
                      ScreenCase{"Wxga", 1366, 768, 1.37},    // 10-row windows fill the height
                      ScreenCase{"FullHd", 1920, 1080, 1.42}, // 15-row windows fill the height
                      ScreenCase{"Small", 640, 480, 1.0}),    // never smaller than designed
    [](const auto& row) { return std::string(row.param.name); });

class ScaledMenu : public HeaderTest {
protected:
    void showWithScale(const char* scale) {
        writeIni(QStringLiteral("ATE.INI"),
                 QByteArray("[ATE Configuration]\r\nID=ATE-07\r\nMenuScale=") + scale + "\r\n");
        menu->ShowMenu();
        ASSERT_FALSE(runSession().groupWindows.isEmpty());
    }
    GroupWindow* group(int index) { return runSession().groupWindows.at(index).data(); }
};

TEST_F(ScaledMenu, AFactorScalesTheHeaderTheGroupWindowsAndTheirFontsAlike) {
    // As designed: the header 11760 x 1725 twips, a group window 3900 wide,
    // group titles in 8 pt bold and the product name in 12 pt.
    const QSize headerAtOne(toPixelsX(HeaderWindow::Width), toPixelsY(HeaderWindow::Height));
    const int groupWidthAtOne = toPixelsX(GroupWindow::Width);
    const int groupHeightAtOne = toPixelsY(GroupWindow::heightFor(10, 2));
    const qreal titleAtOne = 8;
    const qreal productAtOne = 12;
    showWithScale("1.5");
    EXPECT_NEAR(window().width(), headerAtOne.width() * 1.5, 1);
    EXPECT_NEAR(window().height(), headerAtOne.height() * 1.5, 1);
    EXPECT_NEAR(group(0)->width(), groupWidthAtOne * 1.5, 1);
    EXPECT_NEAR(group(0)->height(), groupHeightAtOne * 1.5, 1);
    EXPECT_NEAR(group(0)->findChild<QLabel*>(QStringLiteral("lblTestGroup"))->font().pointSizeF(),
                titleAtOne * 1.5, 0.01);
    EXPECT_NEAR(
        window().findChild<QLabel*>(QStringLiteral("lblProductName"))->font().pointSizeF(),
        productAtOne * 1.5, 0.51)
        << "the product name fits its text from the scaled size down";
    // Placed by the same rules: the first window right under the taller
    // header, the second in the next column.
    EXPECT_NEAR(windowPositionTwips(*group(0)).y(), std::lround(HeaderWindow::Height * 1.5), 15);
    EXPECT_NEAR(windowPositionTwips(*group(1)).x() - windowPositionTwips(*group(0)).x(),
                std::lround(GroupWindow::Width * 1.5), 15);
    // The cells read at the scaled size.
    EXPECT_GE(group(0)->findChild<QLabel*>(QStringLiteral("lblSpecMin_0"))->font().pointSizeF(),
              8 * 1.5 - 0.01);
    saveShotsForColourCheck(window(), QStringLiteral("header-scale-1.5"));
    saveShotsForColourCheck(*group(0), QStringLiteral("group-window-scale-1.5"));
}

TEST_F(ScaledMenu, AutoTakesTheFactorThatFitsTheScreen) {
    showWithScale("Auto");
    const double expected = automaticMenuScale(library().screenWidth, library().screenHeight,
                                               rowLimitFor(library().screenHeight));
    EXPECT_DOUBLE_EQ(window().scale(), expected);
    EXPECT_NEAR(windowSizeTwips(window()).width(), HeaderWindow::Width * expected, 30);
    EXPECT_LE(windowSizeTwips(window()).width(), library().screenWidth + 30);
}

TEST_F(ScaledMenu, APositionedMenuFollowsTheScaledWidth) {
    menu->setMenuPosition(MenuRight);
    showWithScale("1.02");
    EXPECT_NEAR(windowPositionTwips(window()).x() + windowSizeTwips(window()).width(),
                library().screenWidth, 30)
        << "the right edge meets the screen's";
}

} // namespace
