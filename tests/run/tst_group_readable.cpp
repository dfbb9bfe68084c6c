// A group window read from the line: test names break between words and end
// with "…", numbers round to fixed notation where it fits, the values of one
// window share one size, and a failed value is marked, not only red.

#include "RunFixture.h"
#include "frame/NumberText.h"
#include "run/CellFit.h"
#include "run/GroupWindow.h"
#include "run/NumberFit.h"
#include "run/RunSession.h"
#include "support/ColourVision.h"
#include "ui/FailMark.h"
#include "ui/FitLabel.h"
#include "ui/WrapLabel.h"

#include <XQTestDev/XQMenu32.h>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QLabel>

#include <gtest/gtest.h>

#include <cmath>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const char* const LongName = "Output voltage ripple at full load and high line input";
const char* const LongWord = "Ueberspannungsschutzabschaltverzoegerung";

class GroupReadable : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        writeSpec({"R1,0,0.05,,V,Output,Output voltage ripple at full load and high line input,",
                   "V1,4.75,5.25,5,V,Output,Output voltage,",
                   "W1,,,,,Output,Ueberspannungsschutzabschaltverzoegerung,",
                   "L1,0,0.001,,A,Output,Leakage,", "<EOT>"});
        menu.setEnableTestPrompt(false);
        menu.ShowMenu();
        ASSERT_EQ(runSession().groupWindows.size(), 1);
    }

    GroupWindow* window() { return runSession().groupWindows.at(0).data(); }
    template <typename Label = QLabel> Label* cell(const char* name, int row) {
        return window()->findChild<Label*>(
            QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(row));
    }
    void send(const char* parameter, const QVariant& value) {
        menu.SendData(QStringLiteral("Output"), QLatin1String(parameter), value);
    }

    XQMenu32 menu;
};

// Every shown line is whole words of the name, in order; only the last may
// end with "…", after a whole word or a cut word that does not fit a line.
TEST_F(GroupReadable, ALongTestNameBreaksBetweenWordsAndEndsWithAnEllipsis) {
    auto* name = cell<WrapLabel>("lblTestPara", 0);
    ASSERT_NE(name, nullptr) << "the test name is a plain label";
    const QStringList lines = name->shownLines();
    ASSERT_EQ(lines.size(), 2) << lines.join(QLatin1Char('|')).toStdString();
    const QStringList words = QString::fromUtf8(LongName).split(QLatin1Char(' '));
    EXPECT_TRUE(words.join(QLatin1Char(' ')).startsWith(lines[0] + QLatin1Char(' ')));
    QString last = lines[1];
    ASSERT_TRUE(last.endsWith(QChar(0x2026))) << last.toStdString();
    last.chop(1);
    EXPECT_TRUE(QString::fromUtf8(LongName).contains(lines[0] + QLatin1Char(' ') + last));
    for (const QString& word : last.split(QLatin1Char(' ')))
        EXPECT_TRUE(words.contains(word)) << word.toStdString();
    const QFontMetricsF metrics(name->font());
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), name->contentsRect().width());
    EXPECT_EQ(name->toolTip(), QString::fromUtf8(LongName));
    EXPECT_EQ(name->text(), QString::fromUtf8(LongName));
}

TEST_F(GroupReadable, AWordWiderThanTheCellEndsWithAnEllipsisAndShortNamesStayWhole) {
    auto* word = cell<WrapLabel>("lblTestPara", 2);
    ASSERT_NE(word, nullptr);
    ASSERT_EQ(word->shownLines().size(), 1);
    const QString shown = word->shownLines().front();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(QString::fromUtf8(LongWord).startsWith(shown.chopped(1)));
    EXPECT_EQ(word->toolTip(), QString::fromUtf8(LongWord));

    auto* fitting = cell<WrapLabel>("lblTestPara", 1);
    EXPECT_EQ(fitting->shownLines(), QStringList{QStringLiteral("Output voltage")});
    EXPECT_FALSE(fitting->isCut());
}

// ---- Numbers -----------------------------------------------------------------

struct FixedCase {
    const char* name;
    double value;
    const char* shown;
};

class FixedRounding : public ::testing::TestWithParam<FixedCase> {};

// A cell that holds nine characters.
bool ninePlaces(const QString& text) {
    return text.size() <= 9;
}

TEST_P(FixedRounding, KeepsFixedNotationWhileTwoDigitsRemain) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(roundedNumberToFit(c.value, ninePlaces), QLatin1String(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Table, FixedRounding,
                         ::testing::Values(FixedCase{"Small", 0.00004567, "0.0000457"},
                                           FixedCase{"Negative", -0.000123456, "-0.000123"},
                                           FixedCase{"ManyDecimals", 2.5012345678, "2.5012346"},
                                           FixedCase{"Whole", 123456.789, "123456.79"},
                                           FixedCase{"TooSmallForFixed", 1.23456e-12, "1.235e-12"},
                                           FixedCase{"TooLargeForFixed", 123456789012.0,
                                                     "1.235e+11"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(GroupReadable, ASmallValueIsShownInFixedNotation) {
    send("Leakage", 0.0000456789123);
    QLabel* value = cell("lblValue", 3);
    const QString shown = value->text().trimmed();
    EXPECT_FALSE(shown.contains(QLatin1Char('e'))) << shown.toStdString();
    ASSERT_TRUE(shown.startsWith(QStringLiteral("0.0000"))) << shown.toStdString();
    EXPECT_NEAR(leadingNumber(shown), 0.0000456789123, 0.5e-6); // two digits at least
    EXPECT_LE(QFontMetricsF(value->font()).horizontalAdvance(value->text()),
              value->contentsRect().width());
}

// Nothing in a cell is set smaller than 8 pt (at 96 dpi): a number that does
// not fit is rounded, never shrunk to an unreadable size.
TEST_F(GroupReadable, CellsNeverGoBelowTheReadableSize) {
    send("Output voltage", 5);
    send("Output voltage ripple at full load and high line input", 0.0123456789);
    send("Leakage", 123456789.123);
    for (const char* name : {"lblSpecMin", "lblSpecMax", "lblValue", "lblUnit"}) {
        for (int row : {0, 1, 3}) {
            QLabel* shown = cell(name, row);
            EXPECT_GE(shown->font().pointSizeF(), 8.0) << name << row;
            EXPECT_LE(QFontMetricsF(shown->font()).horizontalAdvance(shown->text()),
                      shown->contentsRect().width() + 0.5)
                << name << row << " " << shown->text().toStdString();
        }
    }
}

// A group title longer than its place never runs under the Start button.
TEST_F(RunTest, ALongGroupTitleStaysClearOfItsStartButton) {
    writeSpec({"A1,1,2,,V,Input protection and undervoltage lockout thresholds,Input,", "<EOT>"});
    XQMenu32 menu;
    menu.setEnableTestPrompt(false);
    menu.ShowMenu();
    ASSERT_EQ(runSession().groupWindows.size(), 1);
    GroupWindow* window = runSession().groupWindows.at(0).data();
    auto* title = window->findChild<FitLabel*>(QStringLiteral("lblTestGroup"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(),
              QStringLiteral("Input protection and undervoltage lockout thresholds"));
    EXPECT_LE(QFontMetricsF(title->font()).horizontalAdvance(title->shownText()),
              title->contentsRect().width());
    auto* start = window->findChild<QWidget*>(QStringLiteral("cmdStart"));
    EXPECT_LT(title->geometry().right(), start->geometry().left());
    EXPECT_FALSE(title->toolTip().isEmpty()) << "the whole name is at hand";
}

// Limits too wide for their cells take room from the test name column.
TEST_F(RunTest, WideLimitsTakeRoomFromTheTestNames) {
    writeSpec({"A1,-123.456,123.456,,V,Wide,Wide limits,", "B1,1,2,,V,Wide,Narrow,", "<EOT>"});
    XQMenu32 menu;
    menu.setEnableTestPrompt(false);
    menu.ShowMenu();
    ASSERT_EQ(runSession().groupWindows.size(), 1);
    GroupWindow* window = runSession().groupWindows.at(0).data();
    const auto label = [window](const char* name) {
        return window->findChild<QLabel*>(QLatin1String(name));
    };
    EXPECT_EQ(label("lblSpecMin_0")->text().trimmed(), QStringLiteral("-123.456"));
    EXPECT_EQ(label("lblSpecMax_0")->text().trimmed(), QStringLiteral("123.456"));
    for (const char* name : {"lblSpecMin_0", "lblSpecMax_0"}) {
        QLabel* limit = label(name);
        EXPECT_GE(limit->font().pointSizeF(), 8.0) << name;
        EXPECT_LE(QFontMetricsF(limit->font()).horizontalAdvance(limit->text()),
                  limit->contentsRect().width())
            << name;
    }
    // The columns stay in order, apart, and the same in every row.
    QLabel* name = label("lblTestPara_0");
    EXPECT_LT(name->geometry().right(), label("lblSpecMin_0")->geometry().left());
    EXPECT_LT(label("lblSpecMin_0")->geometry().right(), label("lblSpecMax_0")->geometry().left());
    EXPECT_LT(label("lblSpecMax_0")->geometry().right(), label("lblValue_0")->geometry().left());
    EXPECT_EQ(label("lblSpecMin_1")->geometry().left(), label("lblSpecMin_0")->geometry().left());
    EXPECT_EQ(label("lblMin")->geometry().left(), label("lblSpecMin_0")->geometry().left());
    saveShotsForColourCheck(*window, QStringLiteral("group-window-wide-limits"));
}

// ---- Not by colour alone ----------------------------------------------------

// The mark stands beside the value: the value's text is what was sent, for
// station programs and UI automation that read it.
TEST_F(GroupReadable, AFailedValueIsMarkedBesideItAndAPassedOneIsNot) {
    send("Output voltage", 5.4);
    send("Output voltage ripple at full load and high line input", 0.02);
    send("Leakage", QStringLiteral("FAIL"));
    QLabel* failed = cell("lblValue", 1);
    EXPECT_EQ(failed->text().trimmed(), QStringLiteral("5.4"));
    EXPECT_FALSE(hasFailMark(failed->text()));
    QLabel* mark = cell("lblFailMark", 1);
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->isVisibleTo(window()));
    EXPECT_EQ(mark->text(), QStringLiteral("\u2717"));
    EXPECT_TRUE(cell("lblFailMark", 3)->isVisibleTo(window()));
    EXPECT_EQ(cell("lblValue", 3)->text().trimmed(), QStringLiteral("FAIL"));
    EXPECT_FALSE(cell("lblFailMark", 0)->isVisibleTo(window()));
    EXPECT_EQ(failed->toolTip(), QStringLiteral("5.4"));
    // The mark stands just left of the number, clear of it.
    const int textLeft = failed->x() + failed->contentsRect().right() + 1 -
                         QFontMetrics(failed->font()).horizontalAdvance(failed->text());
    EXPECT_LE(mark->geometry().right(), textLeft + 1);
    EXPECT_GE(mark->geometry().right(), textLeft - 3);
    EXPECT_LE(QFontMetricsF(failed->font()).horizontalAdvance(failed->text()),
              failed->contentsRect().width());
    saveShotsForColourCheck(*window(), QStringLiteral("group-window"));

    // Passing again takes the mark away.
    send("Output voltage", 5.0);
    EXPECT_FALSE(mark->isVisibleTo(window()));
    EXPECT_EQ(failed->text().trimmed(), QStringLiteral("5"));
}

// ---- Numbers that can be told apart ------------------------------------------

struct ApartCase {
    const char* name;
    double value;
    QList<double> others;
    int digits;
};

class DigitsApart : public ::testing::TestWithParam<ApartCase> {};

TEST_P(DigitsApart, KeepTheDigitsThatTellTheNumbersOfARowApart) {
    const ApartCase& c = GetParam();
    EXPECT_EQ(digitsToTellApart(c.value, c.others), c.digits);
}

// Where not even the needed digits fit, the cell says it is shortened.
TEST(NumberFit, ANumberShorterThanItsRowNeedsSaysItIsShortened) {
    const auto sixPlaces = [](const QString& text) { return text.size() <= 6; };
    EXPECT_EQ(roundedNumberToFit(6.1e23, sixPlaces, 2), QStringLiteral("6e+23\u2026"));
    EXPECT_EQ(roundedNumberToFit(6.0e23, sixPlaces, 2), QStringLiteral("6e+23"));
    EXPECT_EQ(roundedNumberToFit(6.1e23, sixPlaces), QStringLiteral("6e+23"))
        << "a number that needs nothing told apart rounds as before";
    const auto eightPlaces = [](const QString& text) { return text.size() <= 8; };
    EXPECT_EQ(roundedNumberToFit(6.1e23, eightPlaces, 2), QStringLiteral("6.1e+23"));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DigitsApart,
    ::testing::Values(ApartCase{"CloseLimits", 6.0e23, {6.1e23}, 2},
                      ApartCase{"ValueUnderItsLimit", 999999999999.0, {1e12, 0}, 12},
                      ApartCase{"LimitOverTheValue", 1e12, {999999999999.0}, 12},
                      ApartCase{"FarApart", 5, {1, 9}, 1},
                      ApartCase{"NearItsLimits", 5, {4.75, 5.25}, 2},
                      ApartCase{"EqualNumbersNeedNothing", 2, {2}, 1}),
    [](const auto& row) { return std::string(row.param.name); });

// A row of a group whose limits and value differ only in their later digits,
// in cells too narrow for them whole.
class CloseNumbers : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        writeSpec({"A1,6.000000e23,6.100000e23,,,Close,Avogadro,", "B1,0,1e12,,,Close,Counter,",
                   "<EOT>"});
        menu.setEnableTestPrompt(false);
        menu.ShowMenu();
        ASSERT_EQ(runSession().groupWindows.size(), 1);
    }
    QLabel* cell(const char* name, int row) {
        return runSession().groupWindows.at(0)->findChild<QLabel*>(
            QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(row));
    }
    XQMenu32 menu;
};

TEST_F(CloseNumbers, LimitsAndValuesThatDifferNeverReadTheSame) {
    QLabel* low = cell("lblSpecMin", 0);
    QLabel* high = cell("lblSpecMax", 0);
    EXPECT_NE(low->text().trimmed(), high->text().trimmed());
    EXPECT_EQ(low->toolTip(), QStringLiteral("6.000000e23"));
    EXPECT_EQ(high->toolTip(), QStringLiteral("6.100000e23"));

    menu.SendData(QStringLiteral("Close"), QStringLiteral("Counter"), 999999999999.0);
    QLabel* value = cell("lblValue", 1);
    QLabel* limit = cell("lblSpecMax", 1);
    EXPECT_NE(value->text().trimmed(), limit->text().trimmed())
        << value->text().toStdString() << " " << limit->text().toStdString();
    EXPECT_EQ(value->toolTip(), QStringLiteral("999999999999"));
    for (QLabel* shown : {low, high, value, limit}) {
        const QString text = shown->text().trimmed();
        // Either the whole number, or rounded with the digits its row needs,
        // or said to be shortened.
        const bool shortened = text.endsWith(QChar(0x2026));
        if (!shortened) {
            EXPECT_NEAR(leadingNumber(text) / leadingNumber(shown->toolTip()), 1.0, 0.02)
                << text.toStdString();
        }
    }
}

} // namespace
