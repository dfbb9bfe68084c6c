// The whole report against expected texts written out from the page layout,
// with the printer's fonts line by line.

#include "output/ReportFixture.h"
#include "run/RunSession.h"

#include <XQTestDev/XQReport32.h>

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString Courier = QStringLiteral("Courier New");

class GoldenReport : public ReportTest {
protected:
    void writeOnePageStation() {
        writeIni(QStringLiteral("ATE.INI"), "[ATE Configuration]\r\nID=ATE-07\r\n");
        writeIni(
            QStringLiteral("PRODUCTS.INI"),
            "[PSU-12]\r\nModel=M1,M2\r\nRevision=A,B\r\nRemark=Batch, Fixture Position No\r\n"
            "CustomerName=ACME\r\nCustomerPN=CP-200\r\nLocalPN=LP-100\r\nLocalAssyPN=LA-300\r\n"
            "\r\n[PSU-12 Spec]\r\nPrintGroupOrder=Output, Power\r\n"
            "1=IDLE,,0.5,,mA,Power,Idle current\r\n"
            "2=INRUSH,0,12000,,mA,Power,Inrush current\r\n"
            "3=STANDBY,word,,,W,Power,Standby power\r\n"
            "4=VOUT1,4.75,5.25,5.00,V,Output,Output voltage 1\r\n"
            "5=VOUT2,11.4,12.6,12,V,Output,Output voltage 2\r\n"
            "6=RIPPLE,-0.0004,50,,mV,Output,Ripple and noise at full load of the output\r\n"
            "7=FAN,,,,,Output,Fan running,\r\n"
            "8=<EOT>\r\n");
        writeResults(
            "[PSU-12 Test Results]\r\nStartTestTime=03/07/2024 02:05:09 pm\r\n"
            "EndTestTime=03/07/2024 02:17:45 pm\r\nOperatorID=OP01\r\n"
            "SerialNumber=SN0001\r\nWorkOrderNumber=WO-55\r\nTestID=Production\r\n"
            "Model=M1\r\nRevision=B\r\nRemark1=B-17\r\nRemark2=3\r\nRemark3=\r\n"
            "Remark4=\r\nOverallPassFail=PASS\r\n1=0.25|Pass\r\n2=12345.678|Fail\r\n"
            "3=----|----\r\n4=5.012|Pass\r\n5=12|Pass\r\n6=3.14159|Pass\r\n7=YES|Pass\r\n");
        choose(QStringLiteral("PSU-12"));
    }

    void writeThreePageStation() {
        writeIni(QStringLiteral("ATE.INI"),
                 "[ATE Configuration]\r\nID=ATE-07\r\nReportLinePerPage=50\r\n");
        QByteArray products =
            "[LED-8]\r\nCustomerName=Lumen\r\nLocalPN=LD-8\r\nCustomerPN=C-LED8\r\n"
            "LocalAssyPN=LDA-8\r\nRemark=\r\n\r\n[LED-8 Spec]\r\n";
        QByteArray results =
            "[LED-8 Test Results]\r\nStartTestTime=12/31/2024 11:59:30 pm\r\n"
            "EndTestTime=01/01/2025 12:00:15 am\r\nOperatorID=OP01\r\n"
            "SerialNumber=SN-77\r\nWorkOrderNumber=\r\nTestID=Burn-in\r\nModel=\r\n"
            "Revision=\r\nOverallPassFail=FAIL\r\n";
        for (int n = 1; n <= 70; ++n) {
            const QByteArray number = QByteArray::number(n);
            products += number + "=CH" + number + ",1.5,2.5,2,V,Channels,Channel " +
                        number.rightJustified(2, '0') + " forward voltage\r\n";
            results += number +
                       (n == 35   ? "=2|Pass"
                        : n == 70 ? "=2.61|Fail"
                                  : "=2.05|Pass") +
                       "\r\n";
        }
        products += "71=TOTAL,0,200,,mA,Final,Total current\r\n72=LEAK,,10,,uA,Final,Leakage\r\n"
                    "73=<eot>\r\n";
        results += "71=140.5|Pass\r\n72=OPEN|Fail\r\n";
        writeIni(QStringLiteral("PRODUCTS.INI"), products);
        writeResults(results);
        choose(QStringLiteral("LED-8"));
    }

    static QStringList goldenLines(const char* name) {
        QStringList lines = QString::fromUtf8(expected(name)).split(QStringLiteral("\r\n"));
        lines.removeLast();
        return lines;
    }

    // Size 10 for the two blank lines that open a page (in the font then
    // current), Courier New 12 bold for title and verdict, Courier New 9 for the
    // rest, bold only for the column heading and the group headings.
    void expectFonts() const {
        int document = -1;
        int lineOfPage = 0;
        for (const RecordingPrinter::Line& line : printer.lines) {
            lineOfPage = line.document == document ? lineOfPage + 1 : 0;
            document = line.document;
            const std::string where = std::to_string(document) + ":" + std::to_string(lineOfPage) +
                                      " " + line.text.toStdString();
            if (lineOfPage < 2) {
                EXPECT_EQ(line.fontSize, 10) << where;
                EXPECT_EQ(line.fontName, document == 0 ? RecordingPrinter::DefaultFont : Courier)
                    << where;
                EXPECT_FALSE(line.bold) << where;
                continue;
            }
            EXPECT_EQ(line.fontName, Courier) << where;
            const bool title = lineOfPage < 4;
            EXPECT_EQ(line.fontSize, title ? 12 : 9) << where;
            const bool heading = line.text.startsWith(QStringLiteral("       Test Description")) ||
                                 line.text.startsWith(QStringLiteral("       ["));
            EXPECT_EQ(line.bold, title || heading) << where;
        }
    }
};

TEST_F(GoldenReport, OnePage) {
    writeOnePageStation();
    const QByteArray resultsBefore = results();
    printReport(printer, QStringLiteral("2.1.0"));

    EXPECT_EQ(report(), expected("report-one-page.txt"));
    EXPECT_EQ(printer.texts(), goldenLines("report-one-page.txt"));
    expectFonts();
    EXPECT_EQ(printer.documentsEnded, 1);
    EXPECT_EQ(printer.probes, 1);
    EXPECT_EQ(printer.releases, 1);
    ASSERT_EQ(recorder->messages.size(), 1u);
    EXPECT_EQ(recorder->messages[0].text,
              QStringLiteral("Test description at line #6 is too long (maximum = 37) some of that "
                             "will be clip!."));
    EXPECT_EQ(recorder->messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(results(), resultsBefore) << "both times were on record: nothing to write back";
}

TEST_F(GoldenReport, ThreePages) {
    writeThreePageStation();
    printReport(printer, QStringLiteral("1.4.2"));

    EXPECT_EQ(report(), expected("report-three-pages.txt"));
    EXPECT_EQ(printer.texts(), goldenLines("report-three-pages.txt"));
    expectFonts();
    EXPECT_EQ(printer.documentsEnded, 3);
    // Pages 1 and 2 end with their footers, each its own printer document.
    const auto lastOfDocument = [this](int document) {
        QString last;
        for (const RecordingPrinter::Line& line : printer.lines) {
            if (line.document == document)
                last = line.text;
        }
        return last.trimmed();
    };
    EXPECT_TRUE(lastOfDocument(0).contains(QStringLiteral("Page 1 (See Continue Pages)")));
    EXPECT_TRUE(lastOfDocument(1).contains(QStringLiteral("Page 2 (See Continue Pages)")));
    EXPECT_TRUE(lastOfDocument(2).contains(QStringLiteral("End of Report (Total Pages is 3)")));
    EXPECT_TRUE(recorder->messages.empty())
        << recorder->texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(GoldenReport, TheHeldSoftwareVersionStandsInForAnEmptyOne) {
    writeThreePageStation();
    runModel().softwareVersion = QStringLiteral("1.4.2");
    printReport(printer, QString());
    EXPECT_EQ(report(), expected("report-three-pages.txt"));
}

int pdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int pages = 0;
    for (auto match = page.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); match.next())
        ++pages;
    return pages;
}

// The real printer back end on a station without a printer: a PDF beside the
// text file holds every page of the report.
TEST_F(GoldenReport, PdfOfTheThreePagesBesideTheTextFile) {
    qputenv("XQ_REPORT_PDF", "1");
    writeThreePageStation();
    XQReport32 reporter;
    reporter.PrintReport(QStringLiteral("1.4.2"));
    qunsetenv("XQ_REPORT_PDF");

    EXPECT_EQ(report(), expected("report-three-pages.txt"));
    const QByteArray pdf = readFile(resultsDir() + QStringLiteral("XQ_Report.pdf"));
    ASSERT_TRUE(pdf.startsWith("%PDF-")) << pdf.left(20).toStdString();
    EXPECT_EQ(pdfPages(pdf), 3);
    // Every font drawn is fixed-pitch: Courier New or the system's stand-in.
    static const QRegularExpression baseFont(QStringLiteral("/BaseFont\\s*/([^\\s/>]+)"));
    int fonts = 0;
    for (auto match = baseFont.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); ++fonts) {
        const QString font = match.next().captured(1);
        EXPECT_TRUE(font.contains(QStringLiteral("Mono")) ||
                    font.contains(QStringLiteral("Courier")))
            << font.toStdString();
    }
    EXPECT_GT(fonts, 0);
    EXPECT_TRUE(recorder->messages.empty())
        << recorder->texts().join(QLatin1Char('|')).toStdString();
    const QStringList leftovers =
        QDir(resultsDir()).entryList({QStringLiteral(".XQ_Report*")}, QDir::Files | QDir::Hidden);
    EXPECT_TRUE(leftovers.isEmpty()) << leftovers.join(QLatin1Char(' ')).toStdString();
}

// Groups whose lines lie scattered through the product, printed in an order
// of their own (names matched without regard to case or blanks), between
// groups that have no line: each group prints its lines in the product's
// order, and a heading that fills a page breaks it before the next line.
TEST_F(GoldenReport, ScatteredGroupsBreakPagesWhereTheirLinesFall) {
    writeIni(QStringLiteral("ATE.INI"),
             "[ATE Configuration]\r\nID=ATE-07\r\nReportLinePerPage=50\r\n");
    QByteArray products = "[MIX-3]\r\nCustomerName=Mixa\r\nRemark=\r\n\r\n[MIX-3 Spec]\r\n"
                          "PrintGroupOrder=Gamma, Delta, ALPHA, Epsilon, Beta, Zeta\r\n";
    QByteArray results = "[MIX-3 Test Results]\r\nStartTestTime=03/07/2024 02:05:09 pm\r\n"
                         "EndTestTime=03/07/2024 02:17:45 pm\r\nOperatorID=OP01\r\n"
                         "SerialNumber=SN-9\r\nTestID=Production\r\nOverallPassFail=PASS\r\n";
    const char* groups[] = {"Alpha", " beta ", "Gamma", "alpha", "Beta"};
    for (int n = 1; n <= 90; ++n) {
        const QByteArray number = QByteArray::number(n);
        const QByteArray group = n > 60 && n % 4 == 0 ? "Gamma" : groups[n % 5];
        products += number + "=L" + number + ",1,2,,V," + group + ",Line " + number + "\r\n";
        results += number + "=1.5|Pass\r\n";
    }
    products += "91=<EOT>\r\n";
    writeIni(QStringLiteral("PRODUCTS.INI"), products);
    writeResults(results);
    choose(QStringLiteral("MIX-3"));
    printReport(printer, QStringLiteral("1.0.0"));

    EXPECT_EQ(report(), expected("report-scattered-groups.txt"));
    EXPECT_EQ(printer.texts(), goldenLines("report-scattered-groups.txt"));
    EXPECT_TRUE(recorder->messages.empty())
        << recorder->texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(GoldenReport, ReportPathIsSpelledAsWritten) {
    EXPECT_EQ(reportFilePath(), resultsDir() + QStringLiteral("XQ_Report.txt"));
    EXPECT_EQ(reportPdfPath(), resultsDir() + QStringLiteral("XQ_Report.pdf"));
}

} // namespace
