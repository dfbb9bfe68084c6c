#pragma once

#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "output/database/BackupFolder.h"
#include "output/database/KeptConnections.h"
#include "output/database/RowStore.h"
#include "run/RunSession.h"
#include "support/StationFixture.h"

#include <XQTestDev/XQSQL32.h>

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariantMap>

#include <vector>

namespace XQTestDev::testing {

// A station with the product "PSU" (four test lines) whose run is in the
// results file, and helpers to read a database with plain SQL.
class DatabaseTest : public StationTest {
protected:
    void SetUp() override {
        StationTest::SetUp();
        library().iniDirectory = iniDir();
        runModel().run = RunData();
        runModel().softwareVersion.clear();
        databaseTimeouts() = {200, 2};
        setWriteFaultHookForTesting({});
    }
    void TearDown() override {
        // The next test starts without the connections this one kept.
        closeKeptStores();
        for (const QString& name : QSqlDatabase::connectionNames()) {
            if (name.startsWith(QLatin1String("test-")))
                QSqlDatabase::removeDatabase(name);
        }
        StationTest::TearDown();
    }

    QString dbPath() const { return root() + QStringLiteral("station.db"); }

    void writeAte(const QByteArray& database) const {
        writeIni(QStringLiteral("ATE.INI"),
                 "[ATE Configuration]\r\nID=ATE-07\r\n\r\n[Database]\r\n" + database +
                     "\r\n[History]\r\nVersion=ATE-2026.1\r\n");
    }
    void writeSqliteStation() const { writeAte("DatabaseName=" + dbPath().toUtf8() + "\r\n"); }

    // PRODUCTS.INI with the header keys and the given spec lines; "table" as
    // TableName (none when empty).
    void writeProduct(const QList<QByteArray>& lines, const QByteArray& table = "PSU_T",
                      const QByteArray& product = "PSU") const {
        QByteArray text = "[" + product +
                          "]\r\nCustomerPN=CP-200\r\nLocalPN=LP-100\r\n"
                          "LocalAssyPN=LA-300\r\nVersion=PSU-7\r\n";
        if (!table.isEmpty())
            text += "TableName=" + table + "\r\n";
        text += "\r\n[" + product + " Spec]\r\n";
        int number = 1;
        for (const QByteArray& line : lines)
            text += QByteArray::number(number++) + '=' + line + "\r\n";
        writeIni(QStringLiteral("PRODUCTS.INI"), text);
    }
    static QList<QByteArray> sampleLines() {
        return {"VOUT,4.75,5.25,5.00,V,Output,Output voltage,", "RIPPLE,0,50,,mV,Output,Ripple,",
                "FAN,,,,,Output,Fan running,", "LEAK,,,,,Final,Leakage,", "<EOT>"};
    }

    // The results section of "PSU": the run header (a key in `extra` replaces
    // the header's key of that name) and the result lines.
    void
    writeRun(const QByteArray& serial = "SN0001",
             const QByteArray& start = "03/07/2024 02:05:09 pm",
             const QByteArray& lines = "1=1.18|Pass\r\n2=----|----\r\n3=pass|Pass\r\n4=|----\r\n",
             const QByteArray& extra = {}, const QByteArray& product = "PSU") const {
        QList<std::pair<QByteArray, QByteArray>> header = {
            {"StartTestTime", start},
            {"EndTestTime", "03/07/2024 02:17:45 pm"},
            {"OperatorID", "OP01"},
            {"SerialNumber", serial},
            {"WorkOrderNumber", "WO-55"},
            {"TestID", "Production"},
            {"Model", "M1"},
            {"Revision", "B"},
            {"Remark1", "B-17"},
            {"Remark2", ""},
            {"Remark3", ""},
            {"Remark4", ""},
            {"OverallPassFail", "PASS"}};
        for (const QByteArray& line : extra.split('\n')) {
            const QByteArray trimmed = line.trimmed();
            const qsizetype eq = trimmed.indexOf('=');
            if (eq < 0)
                continue;
            bool replaced = false;
            for (auto& [key, value] : header) {
                if (key == trimmed.left(eq)) {
                    value = trimmed.mid(eq + 1);
                    replaced = true;
                }
            }
            if (!replaced)
                header.append({trimmed.left(eq), trimmed.mid(eq + 1)});
        }
        QByteArray text = "[ATE Configuration]\r\nTestSoftwareVersion=SW-3.1\r\n\r\n[" + product +
                          " Test Results]\r\n";
        for (const auto& [key, value] : header)
            text += key + '=' + value + "\r\n";
        writeFile(resultsDir() + QStringLiteral("XQResults.ini"), text + lines);
    }
    void writeSampleStation() {
        writeSqliteStation();
        writeProduct(sampleLines());
        writeRun();
        runModel().run.product = QStringLiteral("PSU");
    }

    QString results(const QString& key, const QString& product = QStringLiteral("PSU")) const {
        return readStationValue(StationFile::Results, product + QStringLiteral(" Test Results"),
                                key);
    }

    // The statement files (.SQL, .ERR) waiting for the product.
    QStringList backupFiles(const QString& product = QStringLiteral("PSU")) const {
        return QDir(backupFolderPath(product))
            .entryList({QStringLiteral("*.SQL"), QStringLiteral("*.ERR")}, QDir::Files, QDir::Name);
    }
    // The runs (.RUN) saved beside them for the run tables.
    QStringList runBackupFiles(const QString& product = QStringLiteral("PSU")) const {
        return QDir(backupFolderPath(product))
            .entryList({QStringLiteral("*.RUN")}, QDir::Files, QDir::Name);
    }
    QString backupText(const QString& name, const QString& product = QStringLiteral("PSU")) const {
        return QString::fromUtf8(readFile(backupFolderPath(product) + name));
    }

    // A connection of the test's own to an SQLite file.
    QSqlDatabase sqlite(const QString& path) const {
        const QString name = QStringLiteral("test-") + path;
        QSqlDatabase db = QSqlDatabase::contains(name)
                              ? QSqlDatabase::database(name)
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
        return db;
    }

    static std::vector<QVariantMap> select(const QSqlDatabase& db, const QString& sql) {
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
        std::vector<QVariantMap> rows;
        while (query.next()) {
            QVariantMap row;
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i)
                row.insert(record.fieldName(i), query.value(i));
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<QVariantMap> sqliteRows(const QString& sql) const {
        const QSqlDatabase db = sqlite(dbPath());
        return select(db, sql);
    }

    void write(DBType type = msAccess, const QString& databaseName = QString()) {
        XQSQL32 writer;
        writer.WriteDatabase(QString(), QString(), type, databaseName);
    }
};

} // namespace XQTestDev::testing
