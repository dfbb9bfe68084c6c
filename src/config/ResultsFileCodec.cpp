#include "config/ResultsFileCodec.h"

#include "config/IniDocument.h"
#include "config/StationFiles.h"

#include <QLocale>
#include <QStringList>

namespace XQTestDev {

namespace {

const QString StartTestTime = QStringLiteral("StartTestTime");
const QString EndTestTime = QStringLiteral("EndTestTime");
const QString OperatorID = QStringLiteral("OperatorID");
const QString SerialNumber = QStringLiteral("SerialNumber");
const QString WorkOrderNumber = QStringLiteral("WorkOrderNumber");
const QString TestID = QStringLiteral("TestID");
const QString Model = QStringLiteral("Model");
const QString Revision = QStringLiteral("Revision");
const QString OverallPassFail = QStringLiteral("OverallPassFail");
const QString LastAccessDatabase = QStringLiteral("LastAccessDatabase");
const QString TestSoftwareVersion = QStringLiteral("TestSoftwareVersion");

QString remarkKey(size_t index) {
    return QStringLiteral("Remark%1").arg(index + 1);
}

QString resultsValue(const QString& product, const QString& key) {
    return readStationValue(StationFile::Results, resultsSection(product), key);
}

WriteResult writeResultsValue(const QString& product, const QString& key, const QString& value) {
    return writeStationValue(StationFile::Results, resultsSection(product), key, value);
}

} // namespace

QString resultsSection(const QString& product) {
    return product + QStringLiteral(" Test Results");
}

QString resultsFileTime(const QDateTime& time) {
    return QLocale::c().toString(time, QStringLiteral("MM/dd/yyyy hh:mm:ss ap"));
}

std::optional<QDateTime> readResultsTime(const QString& text) {
    const QString written = text.simplified().toUpper();
    if (written.isEmpty())
        return std::nullopt;
    static const QStringList dateTimeForms = {
        QStringLiteral("M/d/yyyy h:mm:ss AP"), QStringLiteral("M/d/yyyy h:mm AP"),
        QStringLiteral("M/d/yyyy H:mm:ss"), QStringLiteral("M/d/yyyy H:mm")};
    for (const QString& form : dateTimeForms) {
        const QDateTime time = QLocale::c().toDateTime(written, form);
        if (time.isValid())
            return time;
    }
    const QDate date = QLocale::c().toDate(written, QStringLiteral("M/d/yyyy"));
    if (date.isValid())
        return date.startOfDay();
    return std::nullopt;
}

QString profileText(const QString& value) {
    return value.size() > IniDocument::MaxValueLength ? value.left(IniDocument::MaxValueLength)
                                                      : value;
}

StoredRunHeader readStoredRunHeader(const QString& product) {
    StoredRunHeader stored;
    const auto value = [&product](const QString& key) {
        return profileText(resultsValue(product, key));
    };
    RunIdentity& id = stored.identity;
    id.product = product;
    id.operatorId = value(OperatorID);
    id.model = value(Model);
    id.revision = value(Revision);
    id.serialNumber = value(SerialNumber);
    id.workOrder = value(WorkOrderNumber);
    id.testId = value(TestID);
    for (size_t i = 0; i < id.remarks.size(); ++i)
        id.remarks[i] = value(remarkKey(i));
    stored.verdict = value(OverallPassFail);
    stored.start = value(StartTestTime);
    stored.finish = value(EndTestTime);
    return stored;
}

void addRunHeader(IniBatch& batch, const RunIdentity& run, const QString& startTime) {
    const QString section = resultsSection(run.product);
    batch.set(section, StartTestTime, startTime);
    batch.set(section, OperatorID, run.operatorId);
    batch.set(section, SerialNumber, run.serialNumber);
    batch.set(section, WorkOrderNumber, run.workOrder);
    batch.set(section, TestID, run.testId);
    batch.set(section, Model, run.model);
    batch.set(section, Revision, run.revision);
    for (size_t i = 0; i < run.remarks.size(); ++i)
        batch.set(section, remarkKey(i), run.remarks[i]);
}

void addClearedRunHeader(IniBatch& batch, const QString& product) {
    const QString section = resultsSection(product);
    for (const QString& key : {StartTestTime, EndTestTime, OperatorID, SerialNumber,
                               WorkOrderNumber, TestID, Model, Revision})
        batch.set(section, key, QString());
    batch.set(section, OverallPassFail, ClearedVerdict);
    for (size_t i = 0; i < RunIdentity().remarks.size(); ++i)
        batch.set(section, remarkKey(i), QString());
}

void addClearedVerdict(IniBatch& batch, const QString& product) {
    batch.set(resultsSection(product), OverallPassFail, ClearedVerdict);
}

QString readOverallPassFail(const QString& product) {
    return resultsValue(product, OverallPassFail);
}

WriteResult writeOverallPassFail(const QString& product, const QString& verdict) {
    return writeResultsValue(product, OverallPassFail, verdict);
}

WriteResult writeEndTestTime(const QString& product, const QDateTime& time) {
    return writeResultsValue(product, EndTestTime, resultsFileTime(time));
}

void addStartTestTime(IniBatch& batch, const QString& product, const QString& time) {
    batch.set(resultsSection(product), StartTestTime, time);
}

void addEndTestTime(IniBatch& batch, const QString& product, const QString& time) {
    batch.set(resultsSection(product), EndTestTime, time);
}

WriteResult writeSerialNumber(const QString& product, const QString& serialNumber) {
    return writeResultsValue(product, SerialNumber, serialNumber);
}

WriteResult writeResultLine(const QString& product, int lineNumber, const QString& value) {
    return writeResultsValue(product, QString::number(lineNumber), value);
}

void addResultLine(IniBatch& batch, const QString& product, int lineNumber, const QString& value) {
    batch.set(resultsSection(product), QString::number(lineNumber), value);
}

QString readLastAccessDatabase(const QString& product) {
    return resultsValue(product, LastAccessDatabase);
}

WriteResult writeLastAccessDatabase(const QString& product, const QString& outcome) {
    return writeResultsValue(product, LastAccessDatabase, outcome);
}

QString readTestSoftwareVersion(const QString& product) {
    const IniDocument* results = stationDocument(StationFile::Results);
    if (!results)
        return {};
    if (const auto value = results->value(QStringLiteral("ATE Configuration"), TestSoftwareVersion))
        return *value;
    return product.isEmpty() ? QString() : resultsValue(product, TestSoftwareVersion);
}

QString runSoftwareVersion(const QString& kept) {
    if (!kept.isEmpty())
        return kept;
    return readStationValue(StationFile::Results, QStringLiteral("ATE Configuration"),
                            TestSoftwareVersion);
}

QString encodeResultLine(const QString& result, Verdict verdict) {
    QString word = lineVerdictText(verdict);
    if (word.isEmpty())
        word = ClearedVerdict;
    // The store keeps no more than a read returns; the result gives way so
    // that the verdict is always kept. A "|" inside the result would split the
    // value for every reader, so it is recorded as "/".
    QString text = result.left(IniDocument::MaxValueLength - 1 - word.size());
    text.replace(QLatin1Char('|'), QLatin1Char('/'));
    return text + QLatin1Char('|') + word;
}

std::optional<ResultLineFields> splitResultLine(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('|'));
    if (parts.size() != 2)
        return std::nullopt;
    return ResultLineFields{parts[0], parts[1]};
}

ResultLine decodeResultLine(const QString& text) {
    const std::optional<ResultLineFields> fields = splitResultLine(text);
    if (!fields)
        return {};
    const Verdict verdict = lineVerdictOf(fields->verdict);
    if (verdict == Verdict::Untested)
        return {};
    return {fields->result, verdict};
}

} // namespace XQTestDev
