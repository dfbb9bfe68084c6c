// The narrow cells of a group window: every number shown is the number sent
// (whole, or rounded when it cannot be), texts are elided visibly, and the
// whole value is in the tooltip.

#include "RunFixture.h"
#include "frame/NumberText.h"
#include "run/CellFit.h"
#include "run/GroupWindow.h"
#include "run/RunSession.h"
#include "ui/FailMark.h"

#include <XQTestDev/XQMenu32.h>

#include <QFontMetricsF>
#include <QLabel>

#include <gtest/gtest.h>

#include <cmath>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

QFont cellFont() {
    QFont font;
    font.setPointSizeF(8);
    return font;
}

bool fitsIn(const FittedCell& cell, int width) {
    return QFontMetricsF(cell.font).horizontalAdvance(cell.text) <= width;
}

TEST(CellFit, AShortValueStaysAsShownInTheWindowsFont) {
    const FittedCell cell = fitCell(QStringLiteral("5 "), cellFont(), 48);
    EXPECT_EQ(cell.text, QStringLiteral("5 "));
    EXPECT_EQ(cell.font.pointSizeF(), 8.0);
    EXPECT_TRUE(cell.number);
    EXPECT_TRUE(cell.whole);
}

TEST(CellFit, ALongerNumberShrinksBeforeItIsRounded) {
    const FittedCell cell = fitCell(QStringLiteral("4.97125 "), cellFont(), 40);
    EXPECT_TRUE(cell.whole);
    EXPECT_EQ(cell.text.trimmed(), QStringLiteral("4.97125"));
    EXPECT_LT(cell.font.pointSizeF(), 8.0);
    EXPECT_GE(cell.font.pointSizeF(), MinimumCellPointSize);
    EXPECT_TRUE(fitsIn(cell, 40));
}

struct RoundCase {
    const char* name;
    const char* shown;
    double value;
};

class Rounding : public ::testing::TestWithParam<RoundCase> {};

// The significant digits of a number's text ("-1.25e-05" has 3).
int significantDigits(const QString& text) {
    int digits = 0;
    bool leading = true;
    for (QChar c : text) {
        if (c == QLatin1Char('e') || c == QLatin1Char('E'))
            break;
        if (!c.isDigit())
            continue;
        leading = leading && c == QLatin1Char('0');
        digits += leading ? 0 : 1;
    }
    return digits;
}

// Rounded, never cut: the shown text is the sent number to the digits that are
// left, within half a unit of its last digit.
TEST_P(Rounding, KeepsTheLeadingDigits) {
    const RoundCase& c = GetParam();
    constexpr int ValueCell = 48;
    const FittedCell cell = fitCell(QString::fromUtf8(c.shown), cellFont(), ValueCell);
    const std::string seen = cell.text.toStdString();
    EXPECT_FALSE(cell.whole);
    EXPECT_TRUE(cell.number);
    EXPECT_EQ(cell.font.pointSizeF(), MinimumCellPointSize);
    EXPECT_TRUE(fitsIn(cell, ValueCell)) << seen;
    ASSERT_TRUE(isNumericText(cell.text)) << seen;
    const int digits = significantDigits(cell.text);
    EXPECT_GE(digits, 2) << seen;
    const double halfUnit =
        0.5 * std::pow(10.0, std::floor(std::log10(std::abs(c.value))) - (digits - 1));
    EXPECT_LE(std::abs(leadingNumber(cell.text) - c.value), halfUnit * 1.000001) << seen;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Rounding,
    ::testing::Values(RoundCase{"ManyDecimals", "2.5012345678 ", 2.5012345678},
                      RoundCase{"Negative", "-0.000123456789 ", -0.000123456789},
                      RoundCase{"Large", "123456789012 ", 123456789012.0},
                      RoundCase{"Exponent", "1.23456789e-300 ", 1.23456789e-300}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CellFit, ALongTextIsElidedVisibly) {
    const FittedCell cell = fitCell(QStringLiteral("OVERLOAD ON CHANNEL 2 "), cellFont(), 40);
    EXPECT_FALSE(cell.whole);
    EXPECT_FALSE(cell.number);
    EXPECT_TRUE(cell.text.endsWith(QChar(0x2026))) << cell.text.toStdString();
    EXPECT_TRUE(cell.text.startsWith(QStringLiteral("OV")));
    EXPECT_TRUE(fitsIn(cell, 40));
}

// A very long result shows just what its start shows: what lies beyond the
// cell changes nothing (and is never measured, see bench_run).
struct LongCase {
    const char* name;
    QString start; // long enough to overflow the cell, short enough to be measured
    QChar filler;  // repeated after it to 100,000 characters
};

class LongResults : public ::testing::TestWithParam<LongCase> {};

TEST_P(LongResults, ShowWhatTheirStartShows) {
    constexpr int Width = 40;
    const LongCase& c = GetParam();
    ASSERT_LE(c.start.size(), mostCharactersThatFit(Width));
    const FittedCell start = fitCell(c.start + QLatin1Char(' '), cellFont(), Width);
    QString whole = c.start;
    whole += QString(100000 - whole.size(), c.filler);
    const FittedCell cell = fitCell(whole + QLatin1Char(' '), cellFont(), Width);
    EXPECT_EQ(cell.text, start.text);
    EXPECT_EQ(cell.font, start.font);
    EXPECT_EQ(cell.number, start.number);
    EXPECT_FALSE(cell.whole);
    EXPECT_TRUE(fitsIn(cell, Width)) << cell.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Table, LongResults,
    ::testing::Values(
        LongCase{"Text", QStringLiteral("OVERLOAD ON CHANNEL 2 OVERLOAD"), QLatin1Char('D')},
        LongCase{"NarrowLetters", QString(mostCharactersThatFit(40), QLatin1Char('i')),
                 QLatin1Char('i')},
        LongCase{"Waveform", QStringLiteral("5.001,5.002,5.003,5.004,"), QLatin1Char(',')},
        LongCase{"Number", QStringLiteral("5.0123456789012345678901234567"), QLatin1Char('0')}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CellFit, ALongTextOfInvisibleCharactersStillShowsItWasCut) {
    const FittedCell cell = fitCell(QString(100000, QChar(0x200B)), cellFont(), 40);
    EXPECT_FALSE(cell.whole);
    EXPECT_TRUE(cell.text.endsWith(QChar(0x2026)));
    EXPECT_TRUE(fitsIn(cell, 40));
}

// ---- In the window -----------------------------------------------------------

class GroupCells : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        writeSpec({"T1,-40.125,125.375,25,degC,Thermal,Case temperature,",
                   "V1,4.75,5.25,5,V,Thermal,Output voltage,", "S1,,,,,Thermal,Status,", "<EOT>"});
        menu.setEnableTestPrompt(false);
        menu.ShowMenu();
        ASSERT_EQ(runSession().groupWindows.size(), 1);
    }

    GroupWindow* window() { return runSession().groupWindows.at(0).data(); }
    QLabel* cell(const char* name, int row) {
        return window()->findChild<QLabel*>(
            QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(row));
    }
    // What the operator sees: the label's text within its cell.
    static bool showsWhole(QLabel* label) {
        return QFontMetricsF(label->font()).horizontalAdvance(label->text()) <=
               label->contentsRect().width();
    }

    XQMenu32 menu;
};

TEST_F(GroupCells, LimitsAndUnitsAreShownWhole) {
    for (const auto& [name, row, text] :
         {std::tuple{"lblSpecMin", 0, "-40.125"}, std::tuple{"lblSpecMax", 0, "125.375"},
          std::tuple{"lblUnit", 0, "degC"}, std::tuple{"lblSpecMin", 1, "4.75"}}) {
        QLabel* label = cell(name, row);
        EXPECT_EQ(label->text(), QLatin1String(text)) << name;
        EXPECT_TRUE(showsWhole(label)) << name;
        EXPECT_GE(label->font().pointSizeF(), MinimumCellPointSize) << name;
    }
    EXPECT_TRUE(cell("lblSpecMax", 0)->alignment().testFlag(Qt::AlignRight));
}

TEST_F(GroupCells, ValuesAreRightAlignedWholeOrRoundedWithTheWholeInTheTooltip) {
    menu.SendData(QStringLiteral("Thermal"), QStringLiteral("Output voltage"), 4.9712);
    QLabel* value = cell("lblValue", 1);
    EXPECT_EQ(value->text().trimmed(), QStringLiteral("4.9712"));
    EXPECT_TRUE(value->alignment().testFlag(Qt::AlignRight));
    EXPECT_TRUE(showsWhole(value));

    // Out of its limits: shown with the fail mark beside it, not in its text.
    menu.SendData(QStringLiteral("Thermal"), QStringLiteral("Output voltage"), 2.5012345678);
    EXPECT_TRUE(showsWhole(value));
    EXPECT_FALSE(hasFailMark(value->text()));
    EXPECT_TRUE(cell("lblFailMark", 1)->isVisibleTo(value->window()));
    EXPECT_NEAR(leadingNumber(value->text()), 2.5012345678, 0.001) << value->text().toStdString();
    EXPECT_EQ(value->toolTip(), QStringLiteral("2.5012345678"));
}

TEST_F(GroupCells, TextsAreShownWholeOrElided) {
    menu.SendData(QStringLiteral("Thermal"), QStringLiteral("Status"), QStringLiteral("TESTING"));
    QLabel* value = cell("lblValue", 2);
    EXPECT_EQ(value->text().trimmed(), QStringLiteral("TESTING"));
    EXPECT_TRUE(showsWhole(value));

    menu.SendData(QStringLiteral("Thermal"), QStringLiteral("Status"),
                  QStringLiteral("Open circuit on sense line"));
    EXPECT_TRUE(value->text().endsWith(QChar(0x2026)));
    EXPECT_TRUE(showsWhole(value));
    EXPECT_EQ(value->toolTip(), QStringLiteral("Open circuit on sense line"));
}

// The window as an operator sees it, for a look by eye:
// XQ_SHOTS=<folder> saves it as group-cells.png.
TEST_F(GroupCells, KeepsItsSize) {
    menu.SendData(QStringLiteral("Thermal"), QStringLiteral("Case temperature"), 25.123456789);
    menu.SendData(QStringLiteral("Thermal"), QStringLiteral("Output voltage"),
                  QStringLiteral("12V"));
    menu.SendData(QStringLiteral("Thermal"), QStringLiteral("Status"), QStringLiteral("TESTING"));
    EXPECT_EQ(window()->width(), 260);
    if (const QString folder = qEnvironmentVariable("XQ_SHOTS"); !folder.isEmpty())
        window()->grab().save(folder + QStringLiteral("/group-cells.png"));
}

} // namespace
