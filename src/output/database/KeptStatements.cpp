#include "output/database/KeptStatements.h"

#include <QHash>

#include <memory>

namespace XQTestDev {

namespace {

constexpr qsizetype MostKeptPerConnection = 64;

using Statements = QHash<QString, std::shared_ptr<QSqlQuery>>;

// By connection name. Never destroyed: at the end of a process whose
// application object was not destroyed first, a statement would outlive its
// SQL driver.
QHash<QString, Statements>& keptStatements() {
    static auto* const kept = new QHash<QString, Statements>;
    return *kept;
}

} // namespace

void keepStatementsOf(const QString& connectionName) {
    keptStatements().insert(connectionName, Statements());
}

void forgetStatementsOf(const QString& connectionName) {
    keptStatements().remove(connectionName);
}

PreparedStatement::PreparedStatement(const QSqlDatabase& db, const QString& text) {
    const auto statements = keptStatements().find(db.connectionName());
    if (statements == keptStatements().end()) {
        query_ = std::make_shared<QSqlQuery>(db);
        prepared_ = query_->prepare(text);
        return;
    }
    if (const auto known = statements->constFind(text); known != statements->cend()) {
        query_ = *known;
        kept_ = prepared_ = true;
        return;
    }
    query_ = std::make_shared<QSqlQuery>(db);
    prepared_ = query_->prepare(text);
    // One failed is prepared again next time: the table may be there by then.
    if (!prepared_)
        return;
    // Replayed backup rows may each name other columns.
    if (statements->size() >= MostKeptPerConnection)
        statements->clear();
    statements->insert(text, query_);
    kept_ = true;
}

PreparedStatement::~PreparedStatement() {
    if (kept_)
        query_->finish();
}

} // namespace XQTestDev
