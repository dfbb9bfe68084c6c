#include "output/database/RunInputs.h"

#include "config/ResultsFileCodec.h"
#include "config/StationFiles.h"
#include "frame/MessageBox.h"

#include <QHash>

namespace XQTestDev {

namespace {

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
        return profileText(document_->value(section, key).value_or(QString()));
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

void takeRun(RunInputs& in, const RunRecord& run) {
    in.testId = profileText(run.testId);
    in.serialNumber = profileText(run.serialNumber);
    in.workOrder = profileText(run.workOrder);
    in.startTime = profileText(run.stored.start);
    in.endTime = profileText(run.stored.finish);
    in.operatorId = profileText(run.operatorId);
    in.verdict = profileText(run.stored.verdict);
    in.model = profileText(run.model);
    in.revision = profileText(run.revision);
    for (size_t i = 0; i < in.remarks.size(); ++i)
        in.remarks[i] = profileText(run.remarks[i]);
    QHash<int, QString> recorded;
    for (const RunRecordLine& line : run.lines)
        recorded.insert(line.key.toInt(), line.recorded);
    for (qsizetype number = 1; number <= in.specLines.size(); ++number)
        in.resultLines << profileText(recorded.value(int(number)));
}

} // namespace

RunInputs readRunInputs(const RunRecord& run, const QString& softwareVersion,
                        const QString& databaseName) {
    RunInputs in;
    in.product = run.product;
    in.softwareVersion = softwareVersion;
    readStation(in, databaseName);
    readProduct(in);
    takeRun(in, run);
    return in;
}

} // namespace XQTestDev
