#include "run/RunRecordLines.h"

#include "config/ProductDefinition.h"
#include "config/ResultsFileLayout.h"
#include "config/StationFiles.h"
#include "run/RunModel.h"

#include <QSet>

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
    const QStringList parts = recorded.split(QLatin1Char('|'));
    if (parts.size() != 2 ||
        (parts[1] != QLatin1String("Pass") && parts[1] != QLatin1String("Fail")))
        return line; // no result
    line.value = parts[0];
    line.verdict = parts[1];
    bool isNumber = false;
    const double number = parts[0].trimmed().toDouble(&isNumber);
    if (isNumber)
        line.number = number;
    line.measuredAt = measuredAt.value(spec.number);
    return line;
}

} // namespace

RecordLines readRecordLines(const RunModel& model, const QString& product,
                            const QHash<int, QDateTime>& measuredAt) {
    RecordLines record;
    // Without PRODUCTS.INI there are no lines; saying so is the business of
    // whoever reads the product's configuration.
    if (product.isEmpty() || !stationFileExists(StationFile::Products))
        return record;
    const std::shared_ptr<const ProductSpec> spec = readProductSpec(product);
    const OrderedLines ordered = linesInMenuOrder(model, product, *spec);
    record.complete = ordered.complete;
    const IniDocument* results = stationDocument(StationFile::Results);
    const QString section = resultsSection(product);
    for (const TestLine* line : ordered.lines) {
        const QString recorded =
            results ? results->value(section, QString::number(line->number)).value_or(QString())
                    : QString();
        record.lines.push_back(recordLine(*line, recorded, measuredAt));
        if (record.lines.back().verdict.isEmpty())
            ++record.untested;
    }
    return record;
}

} // namespace XQTestDev
