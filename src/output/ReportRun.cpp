#include "output/ReportRun.h"

#include "config/ProductDefinition.h"
#include "config/ProductMessages.h"
#include "frame/Clock.h"
#include "frame/EventPause.h"
#include "frame/MessageBox.h"
#include "frame/RunOutputs.h"
#include "output/PrintGroups.h"
#include "output/ReportCells.h"
#include "output/ReportFile.h"
#include "output/ReportFormat.h"
#include "output/ReportHeader.h"
#include "output/ReportLayout.h"
#include "output/ReportMessages.h"
#include "output/ReportPaging.h"
#include "output/ReportPrinter.h"
#include "output/ReportTimes.h"

#include <QHash>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace XQTestDev {

namespace {

const QString ReportFont = QStringLiteral("Courier New");
constexpr int BlankLineSize = 10;
constexpr int TitleSize = 12;
constexpr int TextSize = 9;

using PrintStep = std::function<PrinterResult()>;

// Lets pending window events run while a long report prints: asking the
// event loop at every one of its up to 500 lines would cost more than the
// report itself, so within a group it is asked about every 15 ms, which keeps
// the windows as responsive as the operator can tell.
constexpr int EventPumpIntervalMs = 15;

struct InformationPair {
    QString leftLabel;
    QString leftValue;
    QString rightLabel;
    QString rightValue;
};

// The product's lines as one walk meets them, with the lines of each group
// (by its trimmed name): every group is printed in the walk's order without
// walking the whole product again for each one.
struct SpecWalk {
    std::vector<const TestLine*> lines;
    QHash<QString, std::vector<size_t>> byGroup;
    WalkEnd end = WalkEnd::NoEndTag;
    int endLine = 0;
};

// One call of PrintReport: reads the unit's data, prints page after page and
// keeps the text file in step with the printer.
class ReportRun {
public:
    ReportRun(ReportPrinter& printer, const RunRecord& record, QString softwareVersion)
        : printer_(printer), record_(record), softwareVersion_(std::move(softwareVersion)),
          file_(reportFilePath()) {}

    void run();

private:
    bool prepare();
    void readRecordedResults();
    bool printPageHeader();
    void printBody();
    void walkSpec();
    std::vector<size_t> linesOfGroup(const QString& group) const;
    bool checkPage(size_t walkedLines, const QString& group);
    bool printGroup(const QString& group);
    bool printTestLine(const TestLine& line);
    bool pageBreak(const QString& group);
    void finish();

    std::vector<InformationPair> informationPairs() const;
    std::vector<PrintStep> pageHeaderSteps();

    // Printer and text file in step: the text file takes a line once the
    // printer has taken it.
    PrinterResult printOne(const QString& text);
    bool print(const QString& text) { return apply(printOne(text)); }
    bool apply(const PrinterResult& result);
    bool failPreparation(const QString& error);
    bool headerStep(const PrintStep& step);

    ReportPrinter& printer_;
    const RunRecord& record_;
    QString softwareVersion_;
    ReportTextFile file_;
    QString product_;
    std::shared_ptr<const ProductSpec> spec_;
    ReportHeader header_;
    ReportTimes times_;
    QString title_;
    QString verdict_;
    int linesPerPage_ = 0;
    std::vector<QString> recorded_; // the results file's value of each line number
    SpecWalk walk_;
    PageCount count_;
    ThrottledEventPump events_{EventPumpIntervalMs};
    QString printerFailure_;
};

void ReportRun::run() {
    product_ = record_.product;
    if (product_.isEmpty()) {
        showExclamation(ReportMessages::missingProduct());
        return;
    }
    if (prepare() && printPageHeader())
        printBody();
    if (!printerFailure_.isEmpty())
        showExclamation(ReportMessages::printingFailed(printerFailure_));
    finish();
}

bool ReportRun::prepare() {
    spec_ = readProductSpec(product_);
    header_ = readReportHeader(record_);

    title_ = centredHeading(titleText(header_.customerName, product_, header_.testId));
    verdict_ = centredHeading(verdictText(header_.verdict));

    times_ = repairRunTimes(product_, header_.startTime, header_.endTime, libraryClock().now());
    if (!times_.written)
        return failPreparation(times_.written.error);
    readRecordedResults();
    if (const WriteResult opened = file_.open(); !opened)
        return failPreparation(opened.error);

    linesPerPage_ = linesPerPage(header_.linesPerPageSetting);
    printer_.probe(); // a printer that refuses the setting may still print
    return true;
}

// The recorded text of every line by its number, looked up as the groups
// walk the product's lines.
void ReportRun::readRecordedResults() {
    recorded_.assign(LastSpecKey + 1, QString());
    for (const RunRecordLine& line : record_.lines) {
        const int number = line.key.toInt();
        if (number >= 1 && number <= LastSpecKey)
            recorded_[size_t(number)] = line.recorded;
    }
}

bool ReportRun::failPreparation(const QString& error) {
    showExclamation(ReportMessages::preparationFailed(error, header_.remarkValuesRead));
    return false;
}

std::vector<InformationPair> ReportRun::informationPairs() const {
    std::vector<InformationPair> pairs = {
        {QStringLiteral("Operator ID   "), header_.operatorId, QStringLiteral("Test Date     "),
         reportDate(times_.start)},
        {QStringLiteral("Project No    "), projectNumber(header_), QStringLiteral("Test Time     "),
         reportClock(times_.start)},
        {QStringLiteral("Local Assy No "), header_.localAssyPN, QStringLiteral("Test Duration "),
         times_.duration},
        {QStringLiteral("Customer P/N  "), customerNumber(header_),
         QStringLiteral("Test S/W Ver. "), softwareVersion_},
        {QStringLiteral("Serial Number "), serialNumber(header_), QStringLiteral("ATE ID        "),
         header_.ateId},
    };
    for (size_t first : {size_t(0), size_t(2)}) {
        const QString& leftLabel = header_.remarkLabels[first];
        const QString& rightLabel = header_.remarkLabels[first + 1];
        if (leftLabel.isEmpty() && rightLabel.isEmpty())
            continue;
        pairs.push_back({remarkLabel(leftLabel), header_.remarkValues[first],
                         remarkLabel(rightLabel), header_.remarkValues[first + 1]});
    }
    return pairs;
}

std::vector<PrintStep> ReportRun::pageHeaderSteps() {
    ReportRun* self = this;
    ReportPrinter& printer = printer_;
    const auto line = [self](const QString& text) -> PrintStep {
        return [self, text] { return self->printOne(text); };
    };
    std::vector<PrintStep> steps = {
        [&printer] { return printer.setFontSize(BlankLineSize); },
        line(QString()),
        line(QString()),
        [&printer] { return printer.setFontName(ReportFont); },
        [&printer] { return printer.setFontSize(TitleSize); },
        [&printer] { return printer.setBold(true); },
        line(title_),
        line(verdict_),
        [&printer] { return printer.setBold(false); },
        [&printer] { return printer.setFontSize(TextSize); },
    };
    for (const InformationPair& pair : informationPairs())
        steps.push_back(line(
            informationLine(pair.leftLabel, pair.leftValue, pair.rightLabel, pair.rightValue)));
    steps.push_back(line(QString()));
    steps.push_back([&printer] { return printer.setBold(true); });
    steps.push_back(line(columnHeading()));
    steps.push_back([&printer] { return printer.setBold(false); });
    steps.push_back(line(ruleLine()));
    return steps;
}

// Every step of a page header may be tried again: the operator may mend the
// printer and press Retry, or give up with Cancel. Only the printer can fail
// here; overlong values are clipped, since no Retry would ever mend them.
bool ReportRun::printPageHeader() {
    count_.lines = 0;
    for (const PrintStep& step : pageHeaderSteps()) {
        if (!headerStep(step))
            return false;
    }
    return true;
}

bool ReportRun::headerStep(const PrintStep& step) {
    for (;;) {
        const PrinterResult done = step();
        if (done)
            return true;
        const int answer = showMessage(ReportMessages::printingFailed(done.error),
                                       MessageIcon::Critical, MessageButtons::RetryCancel);
        if (answer != ResultRetry)
            return false;
    }
}

void ReportRun::printBody() {
    const QString order =
        header_.printGroupOrder.isEmpty() ? listPrintGroups(*spec_) : header_.printGroupOrder;
    const QStringList groups = printGroupNames(order);
    if (groups.isEmpty()) {
        showExclamation(ReportMessages::noDataToPrint());
        apply(printer_.endDocument());
        return;
    }
    walkSpec();
    for (const QString& group : groups) {
        if (!printGroup(group))
            return;
    }
    if (print(QString()) && print(endLine(count_.page)))
        apply(printer_.endDocument());
}

void ReportRun::walkSpec() {
    TestLineWalk walk(*spec_, AtGap::Stop, AtShortLine::Stop);
    while (const TestLine* line = walk.next()) {
        walk_.byGroup[QStringView(line->groupName).trimmed().toString()].push_back(
            walk_.lines.size());
        walk_.lines.push_back(line);
    }
    walk_.end = walk.end();
    walk_.endLine = walk.endLine();
}

std::vector<size_t> ReportRun::linesOfGroup(const QString& group) const {
    std::vector<size_t> found;
    for (auto named = walk_.byGroup.cbegin(); named != walk_.byGroup.cend(); ++named) {
        if (named.key().compare(group, Qt::CaseInsensitive) == 0)
            found.insert(found.end(), named.value().begin(), named.value().end());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The page is checked after every line of the walk, printed or not; between
// two lines of the group nothing is printed, so only a page that is still
// full after its break is broken again.
bool ReportRun::checkPage(size_t walkedLines, const QString& group) {
    for (size_t line = 0; line < walkedLines && count_.isFull(linesPerPage_); ++line) {
        if (!pageBreak(group))
            return false;
    }
    return true;
}

bool ReportRun::printGroup(const QString& group) {
    events_.runNow();
    if (!print(QString()) || !apply(printer_.setBold(true)) || !print(groupHeading(group)) ||
        !apply(printer_.setBold(false)))
        return false;
    size_t walked = 0;
    for (const size_t at : linesOfGroup(group)) {
        if (!checkPage(at - walked, group) || !printTestLine(*walk_.lines[at]) ||
            !checkPage(1, group))
            return false;
        walked = at + 1;
        events_.step();
    }
    if (!checkPage(walk_.lines.size() - walked, group))
        return false;
    switch (walk_.end) {
    case WalkEnd::EndTag:
        return true;
    case WalkEnd::Gap:
        showExclamation(ProductMessages::specNotComplete(walk_.endLine));
        apply(printer_.endDocument());
        return false;
    case WalkEnd::ShortLine:
        showExclamation(ProductMessages::specNotCompleted(walk_.endLine));
        apply(printer_.endDocument());
        return false;
    case WalkEnd::NoEndTag:
        break;
    }
    if (print(missingEndTagLine()))
        apply(printer_.endDocument());
    showExclamation(ProductMessages::endTagNotReached());
    return false;
}

bool ReportRun::printTestLine(const TestLine& line) {
    bool descriptionCut = false;
    const TestLineCells cells =
        testLineCells(line, recorded_[size_t(line.number)], &descriptionCut);
    if (descriptionCut)
        showMessage(ReportMessages::descriptionTooLong(line.number), MessageIcon::Information);
    return print(testLine(cells));
}

bool ReportRun::pageBreak(const QString& group) {
    if (!print(QString()) || !print(pageFooter(count_.page)) || !apply(printer_.endDocument()))
        return false;
    if (!printPageHeader())
        return false;
    if (!print(QString()) || !apply(printer_.setBold(true)) || !print(continuationHeading(group)) ||
        !apply(printer_.setBold(false)))
        return false;
    ++count_.page;
    return true;
}

PrinterResult ReportRun::printOne(const QString& text) {
    PrinterResult printed = printer_.printLine(text);
    if (printed) {
        file_.append(text);
        ++count_.lines;
    }
    return printed;
}

bool ReportRun::apply(const PrinterResult& result) {
    if (!result && printerFailure_.isEmpty())
        printerFailure_ = result.error;
    return result.ok;
}

void ReportRun::finish() {
    if (file_.isOpen()) {
        if (const WriteResult written = file_.close(); !written)
            showExclamation(written.error);
    }
    if (const PrinterResult released = printer_.release(); !released)
        showExclamation(ReportMessages::printingFailed(released.error));
}

} // namespace

void printReport(ReportPrinter& printer, const RunRecord& record, const QString& softwareVersion) {
    ReportRun run(printer, record,
                  softwareVersion.isEmpty() ? record.softwareVersion : softwareVersion);
    run.run();
}

void printReport(ReportPrinter& printer, const QString& softwareVersion) {
    printReport(printer, storedRunRecord(), softwareVersion);
}

} // namespace XQTestDev
