#include "support/TestDatabase.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace XQTestDev::testing {

QSqlDatabase openTestServer(const QString& connection) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    db.setHostName(qEnvironmentVariable("XQ_PG_HOST"));
    db.setPort(qEnvironmentVariable("XQ_PG_PORT").toInt());
    db.setUserName(qEnvironmentVariable("XQ_PG_USER"));
    db.setPassword(qEnvironmentVariable("XQ_PG_PASSWORD"));
    db.setDatabaseName(qEnvironmentVariable("XQ_PG_DATABASE"));
    db.open();
    return db;
}

QString nameOwnedByRunningTest(const QString& prefix) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QByteArray identity = QByteArray(test->test_suite_name()) + '.' + test->name();
    return prefix +
           QString::fromLatin1(
               QCryptographicHash::hash(identity, QCryptographicHash::Md5).toHex().left(12));
}

QStringList queryColumn(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString();
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}

} // namespace XQTestDev::testing
