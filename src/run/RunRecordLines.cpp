#include "run/RunRecordLines.h"

#include "config/ProductDefinition.h"
#include "config/ResultsFileCodec.h"
#include "config/StationFiles.h"
#include "run/RunModel.h"

#include <QSet>

#include <memory>
#include <optional>

namespace XQTestDev {

namespace {

struct OrderedLines {
    std::vector<const TestLine*> lines;
    bool complete = true;
};

OrderedLines linesInMenuOrder(const RunModel& model, const QString& product,
                              const ProductSpec& spec) {
    OrderedLines ordered;
    QSet<int> listed;
    if (product == model.run.product) {
        for (const RunGroup& group : model.groups()) {
            for (const RunRow& row : group.rows) {
                const int number = row.spec.lineNumber;
                if (number > 0 && !listed.contains(number)) {
                    listed.insert(number);
                    ordered.lines.push_back(&spec.line(number));
                }
            }
        }
    }
    TestLineWalk walk(spec, AtGap::Skip, AtShortLine::Yield);
    while (const TestLine* line = walk.next()) {
        if (!listed.contains(line->number))
            ordered.lines.push_back(line);
    }
    ordered.complete = walk.end() == WalkEnd::EndTag;
    return ordered;
}

RunRecordLine recordLine(const TestLine& spec, const QString& recorded,
                         const QHash<int, QDateTime>& measuredAt) {
    RunRecordLine line;
    line.key = QString::number(spec.number);
    line.fieldName = spec.dbFieldName;
    line.group = spec.groupName;
    line.parameter = spec.parameterName;
    line.min = spec.minSpec;
    line.max = spec.maxSpec;
    line.unit = spec.unit;
    line.recorded = recorded;
    const ResultLine result = decodeResultLine(recorded);
    if (result.verdict == Verdict::Untested)
        return line; // no result
    line.value = result.value;
    line.verdict = result.verdict;
    bool isNumber = false;
    const double number = result.value.trimmed().toDouble(&isNumber);
    if (isNumber)
        line.number = number;
    line.measuredAt = measuredAt.value(spec.number);
    return line;
}

} // namespace

RecordedText recordedInModel(const RunModel& model) {
    QHash<int, QString> recorded;
    for (const RunGroup& group : model.groups()) {
        for (const RunRow& row : group.rows) {
            if (!row.recorded.isEmpty())
                recorded.insert(row.spec.lineNumber, row.recorded);
        }
    }
    return
        [recorded](int lineNumber) { return recorded.value(lineNumber, QString(UntestedResult)); };
}

RecordedText recordedInResultsFile(const QString& product) {
    const QString section = resultsSection(product);
    // A copy of the file as it is at the first line asked for: the lines of
    // one run come from one reading, and looking the file up again for each
    // of hundreds of lines costs a stat of it each time. A copy rather than a
    // pointer, because reading another station file may replace the document
    // a pointer would hold.
    auto snapshot = std::make_shared<std::optional<IniDocument>>();
    auto read = std::make_shared<bool>(false);
    return [section, snapshot, read](int lineNumber) {
        if (!*read) {
            *read = true;
            if (const IniDocument* results = stationDocument(StationFile::Results))
                *snapshot = *results;
        }
        return *snapshot
                   ? (*snapshot)->value(section, QString::number(lineNumber)).value_or(QString())
                   : QString();
    };
}

RecordLines readRecordLines(const RunModel& model, const QString& product,
                            const RecordedText& recorded, const QHash<int, QDateTime>& measuredAt) {
    RecordLines record;
    // Without PRODUCTS.INI there are no lines; saying so is the business of
    // whoever reads the product's configuration.
    if (product.isEmpty() || !stationFileExists(StationFile::Products))
        return record;
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    const OrderedLines ordered = linesInMenuOrder(model, product, *spec);
    record.complete = ordered.complete;
    record.lines.reserve(ordered.lines.size());
    for (const TestLine* line : ordered.lines) {
        record.lines.push_back(recordLine(*line, recorded(line->number), measuredAt));
        if (record.lines.back().verdict == Verdict::Untested)
            ++record.untested;
    }
    return record;
}

} // namespace XQTestDev
