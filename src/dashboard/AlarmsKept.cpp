#include "AlarmsKept.h"

#include "DashboardAlarms.h"
#include "DashboardSqlParts.h"

#include <QMutex>
#include <QMutexLocker>

#include <deque>

namespace XQTestDev::dashboard {

namespace {

// Runs are only ever added by stations (a replayed run gets a new id, even
// with an old start time), so their count in the window and the newest id
// change with every change of the alarms' input.
constexpr const char* RunsVersionSql =
    "SELECT count(*), max(id) FROM xq_run WHERE start_time >= ? AND start_time < ?";

// A database and the answer's parameters: the server's connections differ
// by name only, so they share what was kept.
QString answerKey(const QSqlDatabase& db, const Period& period, double yieldDrop) {
    return QStringList{db.driverName(),
                       db.hostName(),
                       QString::number(db.port()),
                       db.databaseName(),
                       db.userName(),
                       db.connectOptions(),
                       period.from.toString(Qt::ISODate),
                       period.to.toString(Qt::ISODate),
                       QString::number(yieldDrop, 'g', 17)}
        .join(QChar(0x1f));
}

struct KeptAnswer {
    QString key;
    QVariantList version;
    Table alarms;
};

// A handful of answers: the overview's default period and a few the users
// chose; the oldest goes first.
constexpr std::size_t MostKept = 16;

QMutex keptLock;
std::deque<KeptAnswer> kept;

bool runsVersion(QSqlDatabase& db, const Period& period, QVariantList& version, QString* error) {
    // The alarms read the period and the one of the same length before it.
    const qint64 days = period.from.daysTo(period.to) + 1;
    const Period both{period.from.addDays(-days), period.to};
    Table answer;
    answer.columns = {{QStringLiteral("runs"), QString(), ColumnKind::Integer},
                      {QStringLiteral("newest"), QString(), ColumnKind::Integer}};
    if (!sqlparts::fillTable(db, QString::fromLatin1(RunsVersionSql),
                             sqlparts::periodBounds(db, both), answer, error))
        return false;
    version = answer.rows.value(0);
    return true;
}

bool findKept(const QString& key, const QVariantList& version, Table& table) {
    const QMutexLocker lock(&keptLock);
    for (const KeptAnswer& answer : kept) {
        if (answer.key == key && answer.version == version) {
            table = answer.alarms;
            return true;
        }
    }
    return false;
}

void keep(const QString& key, const QVariantList& version, const Table& table) {
    const QMutexLocker lock(&keptLock);
    std::erase_if(kept, [&key](const KeptAnswer& answer) { return answer.key == key; });
    if (kept.size() >= MostKept)
        kept.pop_front();
    kept.push_back({key, version, table});
}

} // namespace

bool queryAlarmsKept(QSqlDatabase& db, const Period& period, double yieldDrop, Table& table,
                     QString* error) {
    const QString key = answerKey(db, period, yieldDrop);
    QVariantList version;
    if (!runsVersion(db, period, version, error))
        return false;
    if (findKept(key, version, table))
        return true;
    if (!queryAlarms(db, period, yieldDrop, table, error))
        return false;
    keep(key, version, table);
    return true;
}

} // namespace XQTestDev::dashboard
