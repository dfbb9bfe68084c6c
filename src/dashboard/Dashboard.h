#pragma once

#include "DashboardSql.h"
#include "DatabaseLink.h"
#include "QueryWatchdog.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QUrl>

#include <functional>
#include <mutex>
#include <optional>

namespace XQTestDev::dashboard {

struct Reply {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
};

// The fleet view without its HTTP server: an address in, a reply out. Every
// page and API asks the database afresh; a failed query drops the connection
// and is asked once more on a new one, so that a database that came back
// answers at once. A request's queries that outlast the statement time-out
// (a slow query, a frozen server) are cut and the page is a 503 that says
// so. Nothing here writes. handle() may run on several threads at once, each
// with a connection of its own.
class Dashboard {
public:
    // `link` answers handle(method, url); the server's workers bring their own.
    explicit Dashboard(DatabaseLink& link);
    explicit Dashboard(DatabaseTarget target);

    Reply handle(const QByteArray& method, const QUrl& url);
    Reply handle(const QByteArray& method, const QUrl& url, DatabaseLink& link);
    // The answer when it needs no database (a static file, a refused
    // method): the server gives it at once, whatever the database does.
    std::optional<Reply> answerWithoutDatabase(const QByteArray& method, const QUrl& url) const;
    // Connects now and says on `report` when the database cannot be reached.
    bool checkDatabase();
    const DatabaseTarget& target() const { return target_; }

    // Today's date (UTC) for the default period; replaceable for tests.
    std::function<QDate()> today;
    // The present moment (UTC) the live stations are judged against;
    // replaceable for tests.
    std::function<QDateTime()> now;
    // Where a change of the database's state is told (standard error).
    std::function<void(const QString&)> report;
    // The Chart.js file served as /static/chart.min.js.
    QString chartScript;

    struct Request;

private:
    Reply route(Request& request);
    Request newRequest(const QUrl& url) const;
    void noteDatabase(bool reachable, const QString& error);

    DatabaseTarget target_;
    DatabaseLink* link_ = nullptr;
    QueryWatchdog watchdog_;
    std::mutex reachableMutex_;
    bool reachable_ = true;
};

} // namespace XQTestDev::dashboard
