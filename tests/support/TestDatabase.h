#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace XQTestDev::testing {

// A connection named `connection` to the private PostgreSQL server the test
// command starts (scripts/pg-test-cluster.sh), reached through the XQ_PG_*
// variables; opened when the server answers.
QSqlDatabase openTestServer(const QString& connection);

// A name for what the running test owns on the shared server (a table, a
// schema): `prefix` and a hash of the test's suite and name. Tests run side
// by side against one database, so none may meet another's.
QString nameOwnedByRunningTest(const QString& prefix);

// The first column of every row `sql` gives, as text; the query's failure is
// a test failure.
QStringList queryColumn(const QSqlDatabase& db, const QString& sql);

} // namespace XQTestDev::testing
