#include "output/database/KeptStatements.h"

#include <QHash>

#include <memory>

namespace XQTestDev {

namespace {

using Statements = QHash<QString, std::shared_ptr<QSqlQuery>>;

// By connection name; a connection is only ever used by the thread that
// opened it, and writes run on the station program's thread.
QHash<QString, Statements>& keptStatements() {
    static QHash<QString, Statements> kept;
    return kept;
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
        own_.emplace(db);
        query_ = &*own_;
        prepared_ = query_->prepare(text);
        return;
    }
    std::shared_ptr<QSqlQuery>& kept = (*statements)[text];
    if (kept) {
        query_ = kept.get();
        prepared_ = true;
        return;
    }
    kept = std::make_shared<QSqlQuery>(db);
    query_ = kept.get();
    prepared_ = query_->prepare(text);
    if (!prepared_) {
        // Kept for this use, to give its error; prepared again next time.
        own_.emplace(std::move(*kept));
        query_ = &*own_;
        statements->remove(text);
    }
}

PreparedStatement::~PreparedStatement() {
    if (query_ && !own_)
        query_->finish();
}

} // namespace XQTestDev
