// The header as read from the line: the unit's identity whole (smaller, or cut
// in the middle with the whole text in the tooltip, never clipped), and a
// run that ended with lines untested says so beside the verdict.

#include "HeaderFixture.h"
#include "run/ResultColours.h"
#include "run/UntestedLines.h"
#include "ui/FitLabel.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

class HeaderIdentityTest : public HeaderTest {
protected:
    FitLabel* fitLabel(const char* name) {
        return window().findChild<FitLabel*>(QLatin1String(name));
    }
    // What the operator reads: the shown text within the label, at the font
    // the label paints with.
    static bool readsWhole(FitLabel* label) {
        return label->shownText() == label->text() &&
               QFontMetricsF(label->font()).horizontalAdvance(label->text()) <=
                   label->contentsRect().width();
    }
    void saveShot(const QString& name) {
        if (const QString folder = qEnvironmentVariable("XQ_SHOTS"); !folder.isEmpty())
            window().grab().save(folder + QLatin1Char('/') + name);
    }
};

TEST_F(HeaderIdentityTest, ATwentyFiveCharacterSerialNumberShowsWhole) {
    runModel().run.serialNumber = QStringLiteral("TC2K-2026-12-000123456789");
    ASSERT_EQ(runModel().run.serialNumber.size(), 25);
    runModel().run.operatorId = QStringLiteral("OP-NIGHTSHIFT-LINE4-07");
    menu->ShowMenu();
    FitLabel* serial = fitLabel("lblSerialNumber");
    ASSERT_NE(serial, nullptr);
    EXPECT_EQ(serial->text(), QStringLiteral("UUT S/N: TC2K-2026-12-000123456789"));
    EXPECT_TRUE(readsWhole(serial)) << serial->shownText().toStdString();
    EXPECT_GE(serial->font().pointSizeF(), FitLabel::DefaultSmallestPointSize);
    EXPECT_TRUE(serial->toolTip().isEmpty());
    EXPECT_TRUE(readsWhole(fitLabel("lblOperatorID")));
    saveShot(QStringLiteral("header-long-serial.png"));
}

// Wide letters take the most room a serial number can take.
TEST_F(HeaderIdentityTest, ATwentyFiveCharacterSerialNumberOfWideLettersShowsWhole) {
    runModel().run.serialNumber = QStringLiteral("WMX9-2026-12-MW000123456W");
    ASSERT_EQ(runModel().run.serialNumber.size(), 25);
    menu->ShowMenu();
    FitLabel* serial = fitLabel("lblSerialNumber");
    ASSERT_NE(serial, nullptr);
    EXPECT_TRUE(readsWhole(serial)) << serial->shownText().toStdString();
    EXPECT_GE(serial->font().pointSizeF(), FitLabel::DefaultSmallestPointSize);
    // Clear of the product column beside it and of the verdict.
    EXPECT_LT(fitLabel("lblCustomerName")->geometry().right(), serial->geometry().left());
    EXPECT_LT(serial->geometry().right(), picture("imgPass")->geometry().left());
    saveShot(QStringLiteral("header-wide-serial.png"));
}

struct IdentityCase {
    const char* name;
    const char* label;
    const char* productKey; // key of [PSU] set to `text`, or empty for run data
    const char* text;
};

class IdentityLabels : public HeaderIdentityTest,
                       public ::testing::WithParamInterface<IdentityCase> {};

// A text far too long for its label is cut in the middle, so its start and
// its end stay readable, and the tooltip holds it whole.
TEST_P(IdentityLabels, TooLongIsCutInTheMiddleWithTheWholeInTheTooltip) {
    const IdentityCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    if (*c.productKey)
        writeIni(QStringLiteral("PRODUCTS.INI"),
                 "[PSU]\r\n" + QByteArray(c.productKey) + '=' + QByteArray(c.text) +
                     "\r\n\r\n[PSU Spec]\r\n1=VIN,11.4,12.6,12,V,Power,Input voltage,\r\n"
                     "2=<EOT>\r\n");
    else
        runModel().run.operatorId = text;
    menu->ShowMenu();
    FitLabel* label = fitLabel(c.label);
    ASSERT_NE(label, nullptr) << c.label;
    const QString whole = label->text();
    EXPECT_TRUE(whole.endsWith(text));
    const QString shown = label->shownText();
    EXPECT_TRUE(label->isCut());
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_EQ(shown.left(4), whole.left(4)) << shown.toStdString();
    EXPECT_EQ(shown.right(4), whole.right(4)) << shown.toStdString();
    EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(shown), label->contentsRect().width());
    EXPECT_EQ(label->font().pointSizeF(), FitLabel::DefaultSmallestPointSize);
    EXPECT_EQ(label->toolTip(), whole);
    saveShot(QStringLiteral("header-cut-%1.png").arg(QLatin1String(c.name)));
}

INSTANTIATE_TEST_SUITE_P(
    Table, IdentityLabels,
    ::testing::Values(
        IdentityCase{"Customer", "lblCustomerName", "CustomerName",
                     "Northern Industrial Power Conversion Systems International Holding AG"},
        IdentityCase{"Operator", "lblOperatorID", "",
                     "OP01-NIGHTSHIFT-ASSEMBLY-LINE-FOUR-STATION-SEVEN-TRAINEE"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(HeaderIdentityTest, AFittingTextKeepsTheDesignedFontAndNoTooltip) {
    menu->ShowMenu();
    FitLabel* product = fitLabel("lblProductName");
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->text(), QStringLiteral("PSU"));
    EXPECT_EQ(product->font().pointSizeF(), product->designFont().pointSizeF());
    EXPECT_TRUE(product->font().bold());
    EXPECT_TRUE(product->toolTip().isEmpty());
}

// ---- Lines not tested ---------------------------------------------------------

QLabel* untestedLabel(HeaderWindow& w) {
    return w.findChild<QLabel*>(QStringLiteral("lblUntested"));
}

TEST_F(HeaderIdentityTest, StopTestWithLinesNotTestedSaysSoBesideThePassUntilTheNextRun) {
    menu->ShowMenu();
    QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [this] {
        menu->SendData(QStringLiteral("Power"), QStringLiteral("Input voltage"), 12.0);
        menu->SendData(QStringLiteral("Output"), QStringLiteral("Output voltage"),
                       QStringLiteral("TESTING"));
        menu->StopTest();
    });
    press("cmdStartTest");
    header().clockTick();
    EXPECT_EQ(menu->OverallPassFail(), QStringLiteral("PASS"));
    QLabel* note = untestedLabel(window());
    ASSERT_NE(note, nullptr);
    // Input current was never sent; Output voltage was left under test.
    EXPECT_EQ(note->text(), QStringLiteral("2 lines not tested"));
    EXPECT_TRUE(note->isVisible());
    EXPECT_EQ(note->palette().color(QPalette::WindowText), toQColor(ValueColour::Red));
    // Whole, and clear of the buttons, also for a count of two digits.
    window().showUntestedLines(QStringLiteral("25 lines not tested"));
    EXPECT_LE(note->heightForWidth(note->contentsRect().width()), note->contentsRect().height());
    const QRect used = note->fontMetrics().boundingRect(
        note->contentsRect(), Qt::AlignCenter | Qt::TextWordWrap, note->text());
    EXPECT_TRUE(note->contentsRect().contains(used));
    EXPECT_LT(note->geometry().right() + 2, button("cmdExit")->geometry().left());
    EXPECT_FALSE(note->geometry().intersects(picture("imgPass")->geometry()));
    window().showUntestedLines(QStringLiteral("2 lines not tested"));
    // It does not blink with the verdict picture.
    for (int tick = 0; tick < 3; ++tick) {
        header().clockTick();
        EXPECT_TRUE(note->isVisible()) << tick;
    }
    saveShot(QStringLiteral("header-untested.png"));

    QObject::disconnect(menu.get(), &XQMenu32::AllTestClick, nullptr, nullptr);
    bool seenDuringRun = true;
    QObject::connect(menu.get(), &XQMenu32::AllTestClick, menu.get(), [&] {
        seenDuringRun = untestedLabel(window())->isVisible();
        for (const auto& [group, parameter] :
             {std::pair{"Power", "Input voltage"}, std::pair{"Power", "Input current"},
              std::pair{"Output", "Output voltage"}})
            menu->SendData(QLatin1String(group), QLatin1String(parameter), 0.1);
        menu->StopTest();
    });
    press("cmdStartTest");
    EXPECT_FALSE(seenDuringRun);
    EXPECT_FALSE(untestedLabel(window())->isVisible());
}

TEST(UntestedLines, CountsAsTheNoteReads) {
    EXPECT_EQ(untestedLinesText(0), QString());
    EXPECT_EQ(untestedLinesText(1), QStringLiteral("1 line not tested"));
    EXPECT_EQ(untestedLinesText(3), QStringLiteral("3 lines not tested"));
}

} // namespace
