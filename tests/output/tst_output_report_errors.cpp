// Every way a report ends early, the page-break rule in whole reports, the
// repair of missing times and the Retry/Cancel question of the page header.

#include "config/ResultsFileCodec.h"
#include "output/ReportFixture.h"
#include "output/ReportFormat.h"
#include "run/ResultsFile.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString Indent = QStringLiteral("       ");

QList<QByteArray> group(const QByteArray& name, int count, int firstNumber = 1) {
    QList<QByteArray> lines;
    for (int i = 0; i < count; ++i)
        lines << "F,1,2,,V," + name + ",P" + QByteArray::number(firstNumber + i);
    return lines;
}

QByteArray passes(int count) {
    QByteArray keys;
    for (int i = 1; i <= count; ++i)
        keys += QByteArray::number(i) + "=1.5|Pass\r\n";
    return keys;
}

class ReportEnds : public ReportTest {
protected:
    // The lines of each printer document, as the report printed them.
    QStringList document(int index) const {
        QStringList lines;
        for (const RecordingPrinter::Line& line : printer.lines) {
            if (line.document == index)
                lines << line.text;
        }
        return lines;
    }
};

TEST_F(ReportEnds, NoProductPrintsNothing) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    choose(QString());
    printReport(printer, QString());
    EXPECT_EQ(recorder->texts(), QStringList{QStringLiteral("Not found or missing product name!")});
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(printer.lines.empty());
    EXPECT_FALSE(QFile::exists(reportFilePath()));
}

struct WalkCase {
    const char* name;
    QList<QByteArray> lines;
    QByteArray specKeys;
    QStringList messages;
    QString lastLine;     // the text file's last line
    bool endLine = false; // the report reached its end line
};

class SpecWalk : public ReportEnds, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(SpecWalk, EndsWithItsMessageAndKeepsWhatWasPrinted) {
    const WalkCase& c = GetParam();
    writeSimpleProduct(c.lines, c.specKeys);
    writeSimpleResults(passes(3));
    printReport(printer, QString());

    EXPECT_EQ(recorder->texts(), c.messages);
    for (const MessageRequest& message : recorder->messages)
        EXPECT_EQ(message.icon, MessageIcon::Exclamation);
    const QStringList lines = reportLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.back(), c.lastLine);
    EXPECT_EQ(lines.back().contains(QStringLiteral("End of Report")), c.endLine);
    EXPECT_EQ(printer.texts(), lines) << "printer and text file hold the same lines";
    EXPECT_EQ(printer.documentsEnded, 1);
    EXPECT_EQ(printer.releases, 1);
}

const QString ruleLine = Indent + QString(90, QLatin1Char('-'));
const QString lineA =
    Indent + QStringLiteral("A").leftJustified(38) + QStringLiteral("1.0").rightJustified(11) +
    QStringLiteral("2.0").rightJustified(11) + QStringLiteral("1.5").rightJustified(10) +
    QStringLiteral("V").rightJustified(8) + QStringLiteral("  ") +
    QStringLiteral("Pass").rightJustified(9);

QList<QByteArray> withoutEndTag() {
    QList<QByteArray> lines;
    for (int i = 0; i < 499; ++i)
        lines << (i == 0 ? QByteArray("F,1,2,,V,G,A") : QByteArray("F,1,2,,V,Other,B"));
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpecWalk,
    ::testing::Values(
        WalkCase{
            "EmptyLineInsideTheList",
            {"F,1,2,,V,G,A", "", "<EOT>"},
            {},
            {QStringLiteral("Specification Info. in INI is not complete or missing at line #2!")},
            lineA},
        WalkCase{
            "LineWithSixFieldsWhilePrinting",
            {"F,1,2,,V,G,A", "F,1,2,,V,G", "<EOT>"},
            "PrintGroupOrder=G\r\n",
            {QStringLiteral("Specification Info. in INI is not completed or missing at line #2!")},
            lineA},
        WalkCase{
            "LineWithSixFieldsWhileListing",
            {"F,1,2,,V,G,A", "F,1,2,,V,G", "<EOT>"},
            {},
            {QStringLiteral("Specification Info. in INI is not completed or missing at line #2!"),
             QStringLiteral("There is no data to print!.")},
            ruleLine},
        WalkCase{"NoEndTagWhilePrinting",
                 withoutEndTag(),
                 "PrintGroupOrder=G\r\n",
                 {QStringLiteral("Can't reach to End Of Test <EOT> record!")},
                 Indent + QStringLiteral("********** Report error by can't reach to End Of Test "
                                         "<EOT> record **********")},
        WalkCase{"NoEndTagWhileListing",
                 withoutEndTag(),
                 {},
                 {QStringLiteral("Can't reach to End Of Test <EOT> record!"),
                  QStringLiteral("There is no data to print!.")},
                 ruleLine},
        WalkCase{
            "FirstLineHasNoField",
            {"", "F,1,2,,V,G,A", "<EOT>"},
            "PrintGroupOrder=G\r\n",
            {QStringLiteral("Specification Info. in INI is not complete or missing at line #1!")},
            Indent + QStringLiteral("[G]")},
        WalkCase{"GroupThatNoLineCarries",
                 {"F,1,2,,V,G,A", "<EOT>"},
                 "PrintGroupOrder=Ghost,G\r\n",
                 {},
                 Indent + QString(39, QLatin1Char('-')) + QStringLiteral("End of Report") +
                     QString(38, QLatin1Char('-')),
                 true}),
    [](const ::testing::TestParamInfo<WalkCase>& param) { return param.param.name; });

TEST_F(ReportEnds, GroupThatNoLineCarriesPrintsItsHeadingOnly) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"}, "PrintGroupOrder=Ghost,G\r\n");
    writeSimpleResults(passes(1));
    printReport(printer, QString());
    const QStringList lines = reportLines();
    const qsizetype ghost = lines.indexOf(Indent + QStringLiteral("[Ghost]"));
    ASSERT_GT(ghost, 0);
    EXPECT_EQ(lines[ghost + 1], QString());
    EXPECT_EQ(lines[ghost + 2], Indent + QStringLiteral("[G]"));
    EXPECT_EQ(lines[ghost + 3], lineA);
}

TEST_F(ReportEnds, AGroupThatComesBackPrintsItsLinesInBothPlaces) {
    writeSimpleProduct({"F,1,2,,V,G,A", "F,1,2,,V,H,B", "F,1,2,,V,G,C", "<EOT>"});
    writeSimpleResults(passes(3));
    printReport(printer, QString());
    const QStringList lines = reportLines();
    EXPECT_EQ(lines.count(Indent + QStringLiteral("[G]")), 2);
    EXPECT_EQ(lines.count(lineA), 2);
    EXPECT_TRUE(recorder->messages.empty());
}

TEST_F(ReportEnds, AFieldTooWideForItsColumnIsCutAndTheReportGoesOn) {
    writeSimpleProduct({"F,123456789.5,2,,microvolts,G,A", "<EOT>"});
    writeSimpleResults("1=123456789012|NOT TESTED\r\n");
    printReport(printer, QString());
    EXPECT_TRUE(recorder->messages.empty())
        << recorder->texts().join(QLatin1Char('|')).toStdString();
    const QStringList lines = reportLines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[lines.size() - 3],
              Indent + QStringLiteral("A").leftJustified(38) + QStringLiteral("123,456,78~") +
                  QStringLiteral("2.0").rightJustified(11) + QStringLiteral("123,456,7~") +
                  QStringLiteral("microvo~") + QStringLiteral("  NOT TEST~"));
    EXPECT_TRUE(lines.back().contains(QStringLiteral("End of Report")));
}

TEST_F(ReportEnds, DescriptionOfThirtyEightCharactersIsCutWithItsMessage) {
    const QByteArray description(38, 'd');
    writeSimpleProduct({"F,1,2,,V,G," + description, "<EOT>"});
    writeSimpleResults(passes(1));
    printReport(printer, QString());
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_EQ(recorder->messages[0].text,
              QStringLiteral("Test description at line #1 is too long (maximum = 37) some of that "
                             "will be clip!."));
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(reportLines().contains(
        Indent + QString(37, QLatin1Char('d')) + QStringLiteral(" ") +
        QStringLiteral("1.0").rightJustified(11) + QStringLiteral("2.0").rightJustified(11) +
        QStringLiteral("1.5").rightJustified(10) + QStringLiteral("V").rightJustified(8) +
        QStringLiteral("       Pass")));
}

// ---- lines per page and the page-break rule ----

struct PerPageCase {
    const char* setting;
    int linesPerPage;
};

class LinesPerPage : public ReportEnds, public ::testing::WithParamInterface<PerPageCase> {};

TEST_P(LinesPerPage, FirstPageHoldsThatManyLinesAndItsFooter) {
    QList<QByteArray> lines = group("G", 120);
    lines << "<EOT>";
    writeSimpleProduct(lines);
    QByteArray ate = "[ATE Configuration]\r\nID=ATE-07\r\n";
    if (*GetParam().setting)
        ate += QByteArray("ReportLinePerPage=") + GetParam().setting + "\r\n";
    writeIni(QStringLiteral("ATE.INI"), ate);
    writeSimpleResults(passes(120));
    printReport(printer, QString());

    const QStringList first = document(0);
    EXPECT_EQ(first.size(), GetParam().linesPerPage + 2);
    EXPECT_EQ(first.back().trimmed().count(QStringLiteral("Page 1 (See Continue Pages)")), 1);
    EXPECT_EQ(document(1)[document(1).indexOf(ruleLine) + 2],
              Indent + QStringLiteral("[G] Continue"));
}

INSTANTIATE_TEST_SUITE_P(Settings, LinesPerPage,
                         ::testing::Values(PerPageCase{"40", 50}, PerPageCase{"50", 48},
                                           PerPageCase{"60", 58}, PerPageCase{"abc", 65},
                                           PerPageCase{"", 65}));

TEST_F(ReportEnds, AGroupHeadingThatStepsOverTheLimitStillBreaksThePage) {
    // 48 lines per page; 12 header lines, group A's heading 2 and its 33 lines
    // make 47; group B's heading makes 49, past the limit: the page ends there
    // and every later page breaks at 48 as before.
    QList<QByteArray> lines = group("A", 33);
    lines << group("B", 60, 34) << "<EOT>";
    writeSimpleProduct(lines);
    writeIni(QStringLiteral("ATE.INI"),
             "[ATE Configuration]\r\nID=ATE-07\r\nReportLinePerPage=50\r\n");
    writeSimpleResults(passes(93));
    printReport(printer, QString());

    const QStringList first = document(0);
    ASSERT_EQ(first.size(), 49 + 2);
    EXPECT_EQ(first[48], Indent + QStringLiteral("[B]"));
    EXPECT_TRUE(first.back().contains(QStringLiteral("Page 1 (See Continue Pages)")));
    // Page 2: 12 header lines, the continuation heading and 34 lines of B.
    const QStringList second = document(1);
    ASSERT_EQ(second.size(), 48 + 2);
    EXPECT_EQ(second[13], Indent + QStringLiteral("[B] Continue"));
    EXPECT_TRUE(second.back().contains(QStringLiteral("Page 2 (See Continue Pages)")));
    // Page 3: the other 26 lines of B, then the end line.
    const QStringList third = document(2);
    EXPECT_EQ(third.size(), 14 + 26 + 2);
    EXPECT_TRUE(third.back().contains(QStringLiteral("End of Report (Total Pages is 3)")));
    EXPECT_EQ(printer.documentsEnded, 3);
}

TEST_F(ReportEnds, AGroupHeadingThatMeetsTheLimitBreaksBeforeItsFirstLine) {
    // 12 + 2 + 32 = 46; group B's heading makes 48, so the first line read for
    // B (line 1, of group A) already ends the page.
    QList<QByteArray> lines = group("A", 32);
    lines << group("B", 3, 33) << "<EOT>";
    writeSimpleProduct(lines);
    writeIni(QStringLiteral("ATE.INI"),
             "[ATE Configuration]\r\nID=ATE-07\r\nReportLinePerPage=50\r\n");
    writeSimpleResults(passes(35));
    printReport(printer, QString());

    const QStringList first = document(0);
    ASSERT_EQ(first.size(), 50);
    EXPECT_EQ(first[47], Indent + QStringLiteral("[B]"));
    EXPECT_EQ(first[48], QString());
    EXPECT_TRUE(first[49].contains(QStringLiteral("Page 1 (See Continue Pages)")));
    const QStringList second = document(1);
    EXPECT_EQ(second[13], Indent + QStringLiteral("[B] Continue"));
    EXPECT_TRUE(second[14].trimmed().startsWith(QStringLiteral("P33")));
    EXPECT_TRUE(second.back().contains(QStringLiteral("End of Report (Total Pages is 2)")));
}

// ---- times ----

TEST_F(ReportEnds, MissingEndTimeIsFilledWithNowAndWrittenBack) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    const QDateTime start = QDateTime::currentDateTime().addSecs(-125);
    const QString startText = resultsFileTime(start);
    writeResults("[PSU Test Results]\r\nStartTestTime=" + startText.toUtf8() +
                 "\r\nEndTestTime=\r\nOverallPassFail=PASS\r\n1=1.5|Pass\r\n");
    const QDateTime before = QDateTime::currentDateTime();
    printReport(printer, QString());
    const QDateTime after = QDateTime::currentDateTime();

    const std::optional<QDateTime> end = readResultsTime(
        resultsValue(QStringLiteral("PSU Test Results"), QStringLiteral("EndTestTime")));
    ASSERT_TRUE(end.has_value());
    EXPECT_GE(*end, before.addSecs(-1));
    EXPECT_LE(*end, after);
    EXPECT_EQ(resultsValue(QStringLiteral("PSU Test Results"), QStringLiteral("StartTestTime")),
              startText);
    const QString durationLine = reportLines()[6];
    EXPECT_TRUE(durationLine.contains(QStringLiteral("Test Duration 00:02:0")))
        << durationLine.toStdString();
}

TEST_F(ReportEnds, MissingStartTimeBecomesNowForBothAndAnUnknownDuration) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    writeResults(
        "[PSU Test Results]\r\nStartTestTime=not a date\r\nEndTestTime=03/07/2024 02:17:45 pm\r\n"
        "OverallPassFail=PASS\r\n1=1.5|Pass\r\n");
    printReport(printer, QString());

    const QString start =
        resultsValue(QStringLiteral("PSU Test Results"), QStringLiteral("StartTestTime"));
    EXPECT_EQ(resultsValue(QStringLiteral("PSU Test Results"), QStringLiteral("EndTestTime")),
              start);
    const std::optional<QDateTime> written = readResultsTime(start);
    ASSERT_TRUE(written.has_value());
    EXPECT_LE(std::llabs(written->secsTo(QDateTime::currentDateTime())), 5);
    const QStringList lines = reportLines();
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral("Test Date     ") + reportDate(*written)));
    EXPECT_TRUE(lines[6].endsWith(QStringLiteral("Test Duration ??:??:??")));
}

// ---- the page header's Retry/Cancel and other failures ----

// A value too long for its place in the page header is clipped like a
// column, with "~" as its last character, and the whole report prints
// without a question: no Retry mends data.
struct OverlongCase {
    const char* name;
    QByteArray productKeys; // added to the product's section
    QByteArray resultKeys;  // added to the results section
    int line;               // index of the clipped line in the text file
    QString expected;
};

class OverlongHeader : public ReportEnds, public ::testing::WithParamInterface<OverlongCase> {};

TEST_P(OverlongHeader, IsClippedAndTheWholeReportPrints) {
    const OverlongCase& c = GetParam();
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    writeIni(QStringLiteral("PRODUCTS.INI"),
             readFile(iniDir() + QStringLiteral("PRODUCTS.INI"))
                 .replace("CustomerName=ACME\r\n", "CustomerName=ACME\r\n" + c.productKeys));
    writeSimpleResults(passes(1), c.resultKeys);
    // A key the case gives replaces the fixture's own.
    for (const char* key : {"TestID=Production\r\n", "OverallPassFail=PASS\r\n"}) {
        const QByteArray name = QByteArray(key).left(QByteArray(key).indexOf('=') + 1);
        if (c.resultKeys.contains(name))
            writeResults(results().replace(key, ""));
    }
    recorder->answers = {ResultRetry, ResultRetry, ResultRetry};
    printReport(printer, QString());

    EXPECT_TRUE(recorder->messages.empty()) << recorder->texts().join(u'|').toStdString();
    const QStringList lines = reportLines();
    ASSERT_GT(lines.size(), c.line);
    EXPECT_EQ(lines[c.line], c.expected);
    EXPECT_EQ(lines.back(), Indent + QString(39, QLatin1Char('-')) +
                                QStringLiteral("End of Report") + QString(38, QLatin1Char('-')));
    EXPECT_EQ(printer.texts(), lines);
    EXPECT_EQ(printer.documentsEnded, 1);
}

QString informationLeft(const QString& label, const QString& value) {
    return Indent + label + value;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, OverlongHeader,
    ::testing::Values(
        OverlongCase{"SerialWithWorkOrder",
                     {},
                     "SerialNumber=" + QByteArray(42, '9') + "\r\nWorkOrderNumber=WO-55\r\n",
                     8,
                     informationLeft(QStringLiteral("Serial Number "),
                                     QString(42, QLatin1Char('9')) + QStringLiteral(" (W/O WO-~")) +
                         QStringLiteral("ATE ID        ATE-07")},
        OverlongCase{"Remark", "Remark=Fixture,Cable\r\n",
                     "Remark1=" + QByteArray(1022, 'r') + "\r\nRemark2=C-2\r\n", 9,
                     informationLeft(QStringLiteral("Fixture       "),
                                     QString(51, QLatin1Char('r')) + QLatin1Char('~')) +
                         QStringLiteral("Cable         C-2")},
        OverlongCase{"OperatorId",
                     {},
                     "OperatorID=" + QByteArray(60, 'O') + "\r\n",
                     4,
                     informationLeft(QStringLiteral("Operator ID   "),
                                     QString(51, QLatin1Char('O')) + QLatin1Char('~')) +
                         QStringLiteral("Test Date     03/07/2024")},
        OverlongCase{
            "TestIdInTheTitle",
            {},
            "TestID=" + QByteArray(80, 'T') + "\r\n",
            2,
            (QStringLiteral("ACME PSU Test Report (") + QString(80, QLatin1Char('T'))).left(80) +
                QLatin1Char('~')},
        OverlongCase{"Verdict",
                     {},
                     "OverallPassFail=" + QByteArray(90, 'V') + "\r\n",
                     3,
                     QStringLiteral("***") + QString(77, QLatin1Char('V')) + QLatin1Char('~')}),
    [](const ::testing::TestParamInfo<OverlongCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(ReportEnds, AnEmptyRemarkCaptionKeepsItsPlaceAsAnEmptyLabel) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    writeIni(
        QStringLiteral("PRODUCTS.INI"),
        readFile(iniDir() + QStringLiteral("PRODUCTS.INI"))
            .replace("CustomerName=ACME\r\n", "CustomerName=ACME\r\nRemark=Fixture,,Cable\r\n"));
    writeSimpleResults(passes(1), "Remark1=FX-3\r\nRemark2=X\r\nRemark3=CB-9\r\n");
    printReport(printer, QString());
    const QStringList lines = reportLines();
    const QString blankLabel(14, QLatin1Char(' '));
    EXPECT_EQ(lines[9], Indent + (QStringLiteral("Fixture       FX-3")).leftJustified(66) +
                            blankLabel + QStringLiteral("X"));
    EXPECT_EQ(lines[10],
              Indent + (QStringLiteral("Cable         CB-9")).leftJustified(66) + blankLabel);
}

TEST_F(ReportEnds, PrinterThatRecoversOnRetryGivesTheWholeReportOnce) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    writeSimpleResults(passes(1));
    printReport(printer, QString());
    const QByteArray clean = report();
    QFile::remove(reportFilePath());

    RecordingPrinter refusing;
    int refusals = 0;
    refusing.beforeLine = [&refusals](const QString& text) {
        if (text.contains(QStringLiteral("Test Report")) && refusals++ == 0)
            return PrinterResult::failure(QStringLiteral("Out of paper"));
        return PrinterResult{};
    };
    recorder->answers = {ResultRetry};
    printReport(refusing, QString());
    EXPECT_EQ(recorder->texts(), QStringList{QStringLiteral("Out of paper!")});
    EXPECT_EQ(recorder->messages[0].buttons, MessageButtons::RetryCancel);
    EXPECT_EQ(report(), clean);
    EXPECT_EQ(refusing.texts(), printer.texts());
}

TEST_F(ReportEnds, PrinterFailingAfterTheHeaderStopsWithItsMessage) {
    writeSimpleProduct({"F,1,2,,V,G,A", "F,1,2,,V,G,B", "<EOT>"});
    writeSimpleResults(passes(2));
    printer.beforeLine = [](const QString& text) {
        if (text.trimmed().startsWith(QStringLiteral("B ")))
            return PrinterResult::failure(QStringLiteral("Paper jam"));
        return PrinterResult{};
    };
    printReport(printer, QString());
    EXPECT_EQ(recorder->texts(), QStringList{QStringLiteral("Paper jam!")});
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(reportLines().back(), lineA);
    EXPECT_EQ(printer.releases, 1);
}

TEST_F(ReportEnds, APrinterThatRefusesTheProbeStillPrints) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    writeSimpleResults(passes(1));
    printer.probeAnswer = PrinterResult::failure(QStringLiteral("Copies not supported"));
    printReport(printer, QString());
    EXPECT_EQ(printer.probes, 1);
    EXPECT_TRUE(recorder->messages.empty());
    EXPECT_TRUE(reportLines().back().contains(QStringLiteral("End of Report")));
}

TEST_F(ReportEnds, ManualPrintVerdictIsCentred) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    writeSimpleResults(passes(1));
    writeResults(results().replace("OverallPassFail=PASS",
                                   "OverallPassFail=THIS REPORT WAS PRINTED MANUALLY"));
    printReport(printer, QString());
    // 38 characters: 40 - 19 = 21 blanks.
    EXPECT_EQ(reportLines()[3], QString(21, QLatin1Char(' ')) +
                                    QStringLiteral("***THIS REPORT WAS PRINTED MANUALLY***"));
}

TEST_F(ReportEnds, MissingResultsFolderIsReportedAndNothingPrinted) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    library().resultsDirectory = root() + QStringLiteral("gone/");
    printReport(printer, QString());
    ASSERT_EQ(recorder->messages.size(), 1u);
    const QString text = recorder->messages[0].text;
    EXPECT_TRUE(text.endsWith(QStringLiteral("(INI line #4)! "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("gone"))) << text.toStdString();
    EXPECT_TRUE(printer.lines.empty());
    EXPECT_FALSE(QDir(root() + QStringLiteral("gone")).exists());
}

TEST_F(ReportEnds, AFailedWriteKeepsTheLastReportWhole) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    writeSimpleResults(passes(1));
    writeFile(reportFilePath(), "the last report\r\n");
    setWriteFaultHookForTesting([](WriteStep step) -> std::optional<int> {
        return step == WriteStep::Rename ? std::optional<int>(ENOSPC) : std::nullopt;
    });
    printReport(printer, QString());
    setWriteFaultHookForTesting({});

    EXPECT_EQ(report(), QByteArray("the last report\r\n"));
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_TRUE(recorder->messages[0].text.contains(QStringLiteral("XQ_Report.txt")))
        << recorder->messages[0].text.toStdString();
    QStringList leftovers = QDir(resultsDir()).entryList(QDir::Files | QDir::Hidden);
    leftovers.sort();
    EXPECT_EQ(leftovers,
              QStringList({QStringLiteral("XQResults.ini"), QStringLiteral("XQ_Report.txt")}));
}

TEST_F(ReportEnds, MissingAteIniIsNamedOnceAndPrintsEmptyValues) {
    writeSimpleProduct({"F,1,2,,V,G,A", "<EOT>"});
    QFile::remove(iniDir() + QStringLiteral("ATE.INI"));
    writeSimpleResults(passes(1));
    printReport(printer, QString());
    EXPECT_EQ(recorder->texts(),
              QStringList{
                  QStringLiteral("ATE.INI file is missing!, please check you INIPath property.")});
    EXPECT_TRUE(reportLines()[8].endsWith(QStringLiteral("ATE ID        ")));
    EXPECT_TRUE(reportLines().back().contains(QStringLiteral("End of Report")));
}

} // namespace
