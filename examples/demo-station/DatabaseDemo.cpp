#include "DatabaseDemo.h"

#include <XQTestDev/XQMenu32.h>
#include <XQTestDev/XQSQL32.h>
#include <XQTestDev/XQUtility32.h>

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

    XQUtility32 utility;
    const QString outcome = utility.ReadINI(true, product + QStringLiteral(" Test Results"),
                                            QStringLiteral("LastAccessDatabase"));
    report(QStringLiteral("Database row stored in %1: %2").arg(file, outcome));
    printNewestRow(file, utility.ReadINI(false, product, QStringLiteral("TableName")));
}
