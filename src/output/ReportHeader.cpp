#include "output/ReportHeader.h"

#include "config/ProductDefinition.h"
#include "config/StationFiles.h"
#include "frame/MessageBox.h"

namespace XQTestDev {

namespace {

QString withNote(const QString& value, const QString& opening, const QString& note) {
    if (note.isEmpty())
        return value;
    return value + opening + note + QLatin1Char(')');
}

void readProduct(ReportHeader& header, const QString& product) {
    const auto value = [&product](const char* key) {
        return readStationValue(StationFile::Products, product, QLatin1String(key));
    };
    header.customerName = value("CustomerName");
    header.localPN = value("LocalPN");
    header.customerPN = value("CustomerPN");
    header.localAssyPN = value("LocalAssyPN");
    const QStringList labels = value("Remark").split(QLatin1Char(','));
    for (qsizetype i = 0; i < qsizetype(header.remarkLabels.size()) && i < labels.size(); ++i)
        header.remarkLabels[size_t(i)] = labels[i].trimmed();
    header.printGroupOrder = readStationValue(StationFile::Products, specSection(product),
                                              QStringLiteral("PrintGroupOrder"));
}

void readStation(ReportHeader& header) {
    if (!stationFileExists(StationFile::Ate))
        showCritical(missingFileMessage(StationFile::Ate));
    const QString section = QStringLiteral("ATE Configuration");
    header.ateId = readStationValue(StationFile::Ate, section, QStringLiteral("ID"));
    header.linesPerPageSetting =
        readStationValue(StationFile::Ate, section, QStringLiteral("ReportLinePerPage"));
}

void takeRun(ReportHeader& header, const RunRecord& run) {
    header.verdict = run.stored.verdict;
    header.testId = run.testId;
    header.model = run.model;
    header.revision = run.revision;
    header.operatorId = run.operatorId;
    header.serialNumber = run.serialNumber;
    header.workOrder = run.workOrder;
    header.startTime = run.stored.start;
    header.endTime = run.stored.finish;
    header.remarkValues = run.remarks;
    header.remarkValuesRead = int(run.remarks.size());
}

} // namespace

ReportHeader readReportHeader(const RunRecord& run) {
    ReportHeader header;
    readProduct(header, run.product);
    readStation(header);
    takeRun(header, run);
    return header;
}

QString projectNumber(const ReportHeader& header) {
    return withNote(header.localPN, QStringLiteral(" ("), header.model);
}

QString customerNumber(const ReportHeader& header) {
    return withNote(header.customerPN, QStringLiteral(" ("), header.revision);
}

QString serialNumber(const ReportHeader& header) {
    return withNote(header.serialNumber, QStringLiteral(" (W/O "), header.workOrder);
}

} // namespace XQTestDev
