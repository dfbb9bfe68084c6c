#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <memory>

namespace XQTestDev {

// Statements prepared once on a connection the process keeps open between
// writes, and used again by every later write through it: a 500-column
// INSERT costs more to prepare than to run. A connection that keeps none (a
// tool's or a test's own) gets its statement prepared afresh each time.
void keepStatementsOf(const QString& connectionName);
// Before the connection closes: a kept statement holds on to its driver.
void forgetStatementsOf(const QString& connectionName);

// One statement for one use. The text is the key: the same table and columns
// give the same statement.
class PreparedStatement {
public:
    PreparedStatement(const QSqlDatabase& db, const QString& text);
    // Resets the statement: an SQLite statement left in the middle of its
    // answer would keep the file locked for other programs.
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    bool isPrepared() const { return prepared_; }
    QSqlQuery& query() { return *query_; }

private:
    std::shared_ptr<QSqlQuery> query_;
    bool kept_ = false;
    bool prepared_ = false;
};

} // namespace XQTestDev
