#pragma once

#include "DashboardSql.h"
#include "DatabaseLink.h"

#include <QByteArray>
#include <QDate>
#include <QUrl>

#include <functional>

namespace XQTestDev::dashboard {

struct Reply {
    int status = 200;
    QByteArray contentType;
    QByteArray body;
};

// The fleet view without its HTTP server: an address in, a reply out. Every
// page and API asks the database afresh; a failed query drops the connection
// and is asked once more on a new one, so that a database that came back
// answers at once. Nothing here writes.
class Dashboard {
public:
    explicit Dashboard(DatabaseLink& link);

    Reply handle(const QByteArray& method, const QUrl& url);
    // Connects now and says on `report` when the database cannot be reached.
    bool checkDatabase();

    // Today's date (UTC) for the default period; replaceable for tests.
    std::function<QDate()> today;
    // Where a change of the database's state is told (standard error).
    std::function<void(const QString&)> report;
    // The Chart.js file served as /static/chart.min.js.
    QString chartScript;

    struct Request;

private:
    Reply route(Request& request);
    void noteDatabase(bool reachable, const QString& error);

    DatabaseLink& link_;
    bool reachable_ = true;
};

} // namespace XQTestDev::dashboard
