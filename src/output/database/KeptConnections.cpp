#include "output/database/KeptConnections.h"

#include "output/database/PostgresStore.h"
#include "output/database/RunInputs.h"
#include "output/database/SqliteStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <memory>
#include <vector>

#include <unistd.h>

namespace XQTestDev {

namespace {

// A station writes to one or two databases; a few more are kept for tools and
// tests that write to many, the least recently used closed first.
constexpr size_t MostKept = 8;

struct Kept {
    QString key;
    DBType type = msAccess;
    std::unique_ptr<RowStore> store;
};

struct Registry {
    pid_t owner = ::getpid();
    std::vector<Kept> kept;
};

// A child made by fork() shares its parent's open files: SQLite forbids using
// a connection there, and closing one would drop the parent's file locks. The
// child leaves them alone and opens its own.
void forgetParentsStores(Registry& registry) {
    for (Kept& kept : registry.kept)
        static_cast<void>(kept.store.release());
    registry.kept.clear();
    registry.owner = ::getpid();
}

Registry& registry() {
    // Never destroyed after the application: closed by it (the SQL drivers
    // are gone by the time statics are destroyed).
    static Registry* const registry = [] {
        qAddPostRoutine(closeKeptStores);
        return new Registry;
    }();
    if (registry->owner != ::getpid())
        forgetParentsStores(*registry);
    return *registry;
}

// A connection serves only the thread that opened it: a write from another
// thread has its own.
QString keyOf(const DatabaseAddress& address) {
    const QChar separator(0x1f);
    const QString thread =
        QString::number(reinterpret_cast<quintptr>(QThread::currentThread()), 16);
    if (address.type == msAccess)
        return QStringList{QStringLiteral("sqlite"), thread,
                           QFileInfo(address.file).absoluteFilePath()}
            .join(separator);
    return QStringList{QStringLiteral("server"),
                       thread,
                       address.serverName,
                       address.userName,
                       address.password,
                       address.databaseName,
                       QString::number(databaseTimeouts().serverConnectSeconds)}
        .join(separator);
}

std::vector<Kept>::iterator find(Registry& registry, const QString& key) {
    return std::find_if(registry.kept.begin(), registry.kept.end(),
                        [&](const Kept& kept) { return kept.key == key; });
}

// Whether a kept store still reaches its database, its schema stamp read for
// this write.
bool stillUsable(const Kept& kept, const DatabaseAddress& address) {
    if (kept.type == msAccess &&
        !static_cast<const SqliteStore&>(*kept.store).isStillOpenOn(address.file))
        return false;
    return bool(kept.store->refreshSchemaStamp());
}

std::unique_ptr<RowStore> openStore(const DatabaseAddress& address, StoreResult& opened) {
    if (address.type == msAccess) {
        auto sqlite = std::make_unique<SqliteStore>();
        opened = sqlite->openPath(address.file);
        return sqlite;
    }
    auto server = std::make_unique<PostgresStore>();
    opened =
        server->open(address.serverName, address.userName, address.password, address.databaseName);
    return server;
}

// The kept store of `address`, moved to the most recently used end; opened
// when there was none or it is no longer usable.
KeptStore keptStore(const DatabaseAddress& address) {
    Registry& kept = registry();
    const QString key = keyOf(address);
    auto known = find(kept, key);
    if (known != kept.kept.end()) {
        Kept found = std::move(*known);
        kept.kept.erase(known);
        if (stillUsable(found, address)) {
            kept.kept.push_back(std::move(found));
            return {kept.kept.back().store.get(), {}, true};
        }
    }
    StoreResult opened;
    std::unique_ptr<RowStore> store = openStore(address, opened);
    if (!opened)
        return {nullptr, opened, false};
    store->refreshSchemaStamp();
    if (kept.kept.size() >= MostKept)
        kept.kept.erase(kept.kept.begin());
    kept.kept.push_back({key, address.type, std::move(store)});
    return {kept.kept.back().store.get(), {}, false};
}

} // namespace

DatabaseAddress databaseAddressOf(DBType type, const RunInputs& in) {
    DatabaseAddress address;
    address.type = type;
    if (type == msAccess) {
        address.file = in.databaseName;
        return address;
    }
    address.serverName = in.serverName;
    address.userName = in.userName;
    address.password = in.password;
    address.databaseName = in.databaseName;
    return address;
}

KeptStore keptStoreForWrite(const DatabaseAddress& address, const DatabaseRow& row) {
    KeptStore kept = keptStore(address);
    if (!kept.store || address.type != msAccess)
        return kept;
    kept.opened = static_cast<SqliteStore*>(kept.store)->ensureTable(row);
    return kept;
}

void dropKeptStore(const DatabaseAddress& address) {
    Registry& kept = registry();
    const auto known = find(kept, keyOf(address));
    if (known != kept.kept.end())
        kept.kept.erase(known);
}

QSqlDatabase keptConnection(const DatabaseAddress& address, QString* error) {
    const KeptStore kept = keptStore(address);
    if (!kept.store) {
        if (error)
            *error = kept.opened.error;
        return {};
    }
    return kept.store->connection();
}

void closeKeptStores() {
    registry().kept.clear();
}

} // namespace XQTestDev
