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
#include "ui/WrapLabel.h"

#include <XQTestDev/XQMenu32.h>

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
    EXPECT_NEAR(leadingNumber(shown), 0.0000456789123, 0.5e-7);
    EXPECT_LE(QFontMetricsF(value->font()).horizontalAdvance(value->text()),
              value->contentsRect().width());
}

TEST_F(GroupReadable, AllValuesOfTheWindowShareOneSize) {
    send("Output voltage", 5);
    QLabel* shortValue = cell("lblValue", 1);
    const qreal designed = shortValue->font().pointSizeF();
    send("Output voltage ripple at full load and high line input", 0.0123456);
    QLabel* longValue = cell("lblValue", 0);
    ASSERT_LT(longValue->font().pointSizeF(), designed) << "the test needs a value that shrinks";
    EXPECT_EQ(shortValue->font().pointSizeF(), longValue->font().pointSizeF());
    // When the long one goes, the others grow back.
    send("Output voltage ripple at full load and high line input", 0.01);
    EXPECT_EQ(shortValue->font().pointSizeF(), designed);
}

// ---- Not by colour alone ----------------------------------------------------

TEST_F(GroupReadable, AFailedValueIsMarkedBeforeItAndAPassedOneIsNot) {
    send("Output voltage", 5.4);
    send("Output voltage ripple at full load and high line input", 0.02);
    send("Leakage", QStringLiteral("FAIL"));
    QLabel* failed = cell("lblValue", 1);
    EXPECT_TRUE(hasFailMark(failed->text())) << failed->text().toStdString();
    EXPECT_EQ(failed->text().mid(FailMark.size()).trimmed(), QStringLiteral("5.4"));
    EXPECT_TRUE(hasFailMark(cell("lblValue", 3)->text()));
    EXPECT_FALSE(hasFailMark(cell("lblValue", 0)->text()));
    EXPECT_EQ(failed->toolTip(), QStringLiteral("5.4"));
    EXPECT_LE(QFontMetricsF(failed->font()).horizontalAdvance(failed->text()),
              failed->contentsRect().width());
    saveShotsForColourCheck(*window(), QStringLiteral("group-window"));

    // Passing again takes the mark away.
    send("Output voltage", 5.0);
    EXPECT_FALSE(hasFailMark(failed->text()));
}

} // namespace
