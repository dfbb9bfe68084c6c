#include "output/database/RunInputs.h"

#include "config/StationFiles.h"
#include "frame/MessageBox.h"

namespace XQTestDev {

namespace {

// The profile reader returns at most this many characters of a value.
constexpr int MaxValueLength = 1022;

// Reads one file's values; the document is looked up again for each file, as
// a store lookup may replace the previous one.
class FileValues {
public:
    explicit FileValues(StationFile file) : document_(stationDocument(file)) {
        if (!document_ && file != StationFile::Results)
            showCritical(missingFileMessage(file));
    }
    QString operator()(const QString& section, const char* key) const {
        return (*this)(section, QLatin1String(key));
    }
    QString operator()(const QString& section, const QString& key) const {
        if (!document_)
            return {};
        QString value = document_->value(section, key).value_or(QString());
        if (value.size() > MaxValueLength)
            value.truncate(MaxValueLength);
        return value;
    }

private:
    const IniDocument* document_;
};

void readStation(RunInputs& in, const QString& databaseName) {
    const FileValues ate(StationFile::Ate);
    const QString database = QStringLiteral("Database");
    in.serverName = ate(database, "ServerName");
    in.userName = ate(database, "UserName");
    in.databaseName = databaseName.isEmpty() ? ate(database, "DatabaseName") : databaseName;
    in.password = ate(database, "Password");
    in.ateId = ate(QStringLiteral("ATE Configuration"), "ID");
    in.ateIniVersion = ate(QStringLiteral("History"), "Version");
}

void readProduct(RunInputs& in) {
    const FileValues products(StationFile::Products);
    in.tableName = products(in.product, "TableName");
    in.customerPN = products(in.product, "CustomerPN");
    in.localPN = products(in.product, "LocalPN");
    in.localAssyPN = products(in.product, "LocalAssyPN");
    in.productIniVersion = products(in.product, "Version");
    const QString spec = in.product + QStringLiteral(" Spec");
    for (int number = 1;; ++number) {
        const QString line = products(spec, QString::number(number));
        if (line.isEmpty())
            break;
        in.specLines << line;
    }
}

void readResults(RunInputs& in) {
    const FileValues results(StationFile::Results);
    const QString section = databaseResultsSection(in.product);
    in.testId = results(section, "TestID");
    in.serialNumber = results(section, "SerialNumber");
    in.workOrder = results(section, "WorkOrderNumber");
    in.startTime = results(section, "StartTestTime");
    in.endTime = results(section, "EndTestTime");
    in.operatorId = results(section, "OperatorID");
    in.verdict = results(section, "OverAllPassFail");
    in.model = results(section, "Model");
    in.revision = results(section, "Revision");
    for (size_t i = 0; i < in.remarks.size(); ++i)
        in.remarks[i] = results(section, QStringLiteral("Remark%1").arg(i + 1));
    for (qsizetype number = 1; number <= in.specLines.size(); ++number)
        in.resultLines << results(section, QString::number(number));
}

} // namespace

QString databaseResultsSection(const QString& product) {
    return product + QStringLiteral(" Test Results");
}

RunInputs readRunInputs(const QString& product, const QString& softwareVersion,
                        const QString& databaseName) {
    RunInputs in;
    in.product = product;
    in.softwareVersion = softwareVersion;
    readStation(in, databaseName);
    readProduct(in);
    readResults(in);
    return in;
}

} // namespace XQTestDev
