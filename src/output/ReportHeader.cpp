#include "output/ReportHeader.h"

#include "config/ProductDefinition.h"
#include "config/ResultsFileLayout.h"
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

void readResults(ReportHeader& header, const QString& product) {
    const QString section = resultsSection(product);
    const auto value = [&section](const QString& key) {
        return readStationValue(StationFile::Results, section, key);
    };
    header.verdict = value(QStringLiteral("OverAllPassFail"));
    header.testId = value(QStringLiteral("TestID"));
    header.model = value(QStringLiteral("Model"));
    header.revision = value(QStringLiteral("Revision"));
    header.operatorId = value(QStringLiteral("OperatorID"));
    header.serialNumber = value(QStringLiteral("SerialNumber"));
    header.workOrder = value(QStringLiteral("WorkOrderNumber"));
    header.startTime = value(QStringLiteral("StartTestTime"));
    header.endTime = value(QStringLiteral("EndTestTime"));
    for (size_t i = 0; i < header.remarkValues.size(); ++i) {
        header.remarkValues[i] = value(QStringLiteral("Remark%1").arg(i + 1));
        header.remarkValuesRead = int(i) + 1;
    }
}

} // namespace

ReportHeader readReportHeader(const QString& product) {
    ReportHeader header;
    readProduct(header, product);
    readStation(header);
    readResults(header, product);
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
