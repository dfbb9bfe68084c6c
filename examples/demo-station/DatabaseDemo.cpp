#include "DatabaseDemo.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQSQL32.h>
#include <XQTestDev/XQUtility32.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace XQTestDev;

namespace {

const QString Connection = QStringLiteral("demo-read-back");

// The newest row of the table, one "column = value" per line; test columns
// that hold a number are printed as numbers, an empty one as NULL.
void printNewestRow(const QString& file, const QString& table) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
        db.setDatabaseName(file);
        QSqlQuery query(db);
        const QString sql =
            QStringLiteral("SELECT * FROM \"%1\" ORDER BY ID DESC LIMIT 1").arg(table);
        if (!db.open() || !query.exec(sql) || !query.next()) {
            report(QStringLiteral("  no row to read back: %1").arg(query.lastError().text()));
        } else {
            report(QStringLiteral("  %1").arg(sql));
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i) {
                const QVariant value = query.value(i);
                report(QStringLiteral("    %1 = %2")
                           .arg(record.fieldName(i), -20)
                           .arg(value.isNull() ? QStringLiteral("NULL") : value.toString()));
            }
        }
    }
    QSqlDatabase::removeDatabase(Connection);
}

// The unit's runs from the library's own run tables, newest first, with the
// instruments that measured them; then a few fields of the newest run's
// record file.
void printRunsOfUnit(const QString& file, const QString& serialNumber) {
    QString recordFile;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Connection);
        db.setDatabaseName(file);
        QSqlQuery query(db);
        const QString sql = QStringLiteral(
            "SELECT id, station, start_time, verdict, untested, instruments, record_file "
            "FROM xq_run WHERE serial_number = ? ORDER BY start_time DESC");
        report(QStringLiteral("  %1  [? = %2]").arg(sql, serialNumber));
        if (db.open() && query.prepare(sql)) {
            query.addBindValue(serialNumber);
            query.exec();
        }
        while (query.next()) {
            report(QStringLiteral("    run %1 at %2 on %3: %4, %5 untested, instruments %6")
                       .arg(query.value(0).toString(), query.value(2).toString(),
                            query.value(1).toString(), query.value(3).toString(),
                            query.value(4).toString(), query.value(5).toString()));
            if (recordFile.isEmpty())
                recordFile = query.value(6).toString();
        }
        if (query.lastError().isValid())
            report(QStringLiteral("  no run to read back: %1").arg(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase(Connection);
    if (recordFile.isEmpty())
        return;
    QFile record(recordFile);
    const QJsonObject json = record.open(QIODevice::ReadOnly)
                                 ? QJsonDocument::fromJson(record.readAll()).object()
                                 : QJsonObject();
    report(QStringLiteral("Run record: %1").arg(recordFile));
    for (const char* key : {"schema", "station", "serialNumber", "start", "verdict"})
        report(QStringLiteral("    %1 = %2")
                   .arg(QLatin1String(key), json[QLatin1String(key)].toVariant().toString()));
    report(QStringLiteral("    untested = %1, lines = %2, first instrument = %3")
               .arg(json[QLatin1String("untested")].toInt())
               .arg(json[QLatin1String("lines")].toArray().size())
               .arg(json[QLatin1String("instruments")][0][QLatin1String("idn")].toString()));
}

} // namespace

void storeUnitInDatabase(const XQMenu32& menu, const DemoSession& session) {
    const QString product = menu.TestProduct();
    if (product.isEmpty()) {
        report(QStringLiteral("No product chosen; nothing stored in the database."));
        return;
    }
    const QString file = session.stationDirectory + QStringLiteral("/station-results.db");
    XQSQL32 database;
    database.WriteDatabase(product, QStringLiteral("Demo 1.0"), msAccess, file);

    // LastAccessDatabase says whether the write reached the database; whether
    // the unit passed is the row's own PassFail, two different questions.
    XQUtility32 utility;
    const QString section = product + QStringLiteral(" Test Results");
    const bool written = utility.ReadINI(true, section, QStringLiteral("LastAccessDatabase")) ==
                         QLatin1String("PASS");
    report(written
               ? QStringLiteral("Database write to %1 succeeded (the row below holds the "
                                "unit's verdict as PassFail = %2)")
                     .arg(file, utility.ReadINI(true, section, QStringLiteral("OverAllPassFail")))
               : QStringLiteral("Database write to %1 failed; the row waits in the backup "
                                "queue")
                     .arg(file));
    printNewestRow(file, utility.ReadINI(false, product, QStringLiteral("TableName")));
    printRunsOfUnit(file, menu.SerialNumber());
}
