#include "Dashboard.h"

#include "AlarmsKept.h"
#include "DashboardAlarms.h"
#include "DashboardControl.h"
#include "DashboardPages.h"
#include "DashboardParams.h"
#include "DashboardRender.h"
#include "LiveStations.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

#include <cstdio>

// The page's script and style are compiled into this static library, whose
// resources are not registered by themselves.
static void registerDashboardResources() {
    Q_INIT_RESOURCE(dashboard);
}

namespace XQTestDev::dashboard {

struct Dashboard::Request {
    QStringList path; // the address's segments, decoded
    QUrlQuery query;
    QDate today;
    QDateTime now;
    bool api = false;
    QSqlDatabase* db = nullptr;
    QString databaseError; // set when a query failed
};

namespace {

using Request = Dashboard::Request;

constexpr QByteArrayView HtmlType = "text/html; charset=utf-8";
constexpr QByteArrayView JsonType = "application/json";
constexpr QByteArrayView CsvType = "text/csv; charset=utf-8";

Reply html(int status, const QString& title, const QString& body) {
    return {status, HtmlType.toByteArray(), htmlPage(title, body)};
}

Reply failure(const Request& request, int status, const QString& title, const QString& message) {
    if (request.api)
        return {status, JsonType.toByteArray(),
                QJsonDocument(QJsonObject{{QStringLiteral("error"), message}})
                    .toJson(QJsonDocument::Compact)};
    return html(status, title, messageBody(title, message));
}

Reply badRequest(const Request& request, const QString& message) {
    return failure(request, 400, QStringLiteral("Bad request"), message);
}

Reply tableReply(const Table& table, Format format) {
    if (format == Format::Csv)
        return {200, CsvType.toByteArray(), tableCsv(table)};
    return {200, JsonType.toByteArray(), tableJson(table)};
}

bool ask(Request& request, bool answered, const QString& error) {
    if (!answered && request.databaseError.isEmpty())
        request.databaseError = error;
    return answered;
}

// The common parameters: only the known ones, the period, the format.
bool readCommon(Request& request, const QStringList& known, Period& period, Format& format,
                QString& message) {
    return onlyKnownParameters(request.query, known + QStringList{QStringLiteral("format")},
                               &message) &&
           (!known.contains(QStringLiteral("from")) ||
            readPeriod(request.query, request.today, period, &message)) &&
           readFormat(request.query, request.api ? Format::Json : Format::Html, format, &message);
}

const QStringList PeriodParameters = {QStringLiteral("from"), QStringLiteral("to")};

// A product must have runs: a misspelt name is told, not shown as empty.
bool knownProduct(Request& request, const QString& product, QString& message) {
    if (!checkName(product, QStringLiteral("product name"), &message))
        return false;
    bool exists = false;
    QString error;
    if (!ask(request, productExists(*request.db, product, exists, &error), error))
        return false;
    if (!exists)
        message = QStringLiteral("No run of a product named \"%1\" is stored.").arg(product);
    return exists;
}

// The threshold of silence of the live stations, in minutes.
const QString SilentParameter = QStringLiteral("silent");

bool readSilentMinutes(const Request& request, int& minutes, QString& message) {
    minutes = DefaultSilentMinutes;
    return readWholeNumber(request.query, SilentParameter, 1, LongestSilentMinutes, minutes,
                           &message);
}

// The overview's section of live stations, after the figures of the period.
bool liveStationsPart(Request& request, int silentMinutes, QString& html) {
    Table live;
    bool missing = false;
    QString error;
    if (!ask(request,
             queryLiveStations(*request.db, request.now, silentMinutes, live, missing, &error),
             error))
        return false;
    html = liveStationsSection(live, missing, silentMinutes);
    return true;
}

Reply overview(Request& request) {
    Period period;
    Format format;
    QString message;
    int silentMinutes = DefaultSilentMinutes;
    double yieldDrop = DefaultYieldDrop;
    if (!readCommon(request,
                    PeriodParameters + QStringList{SilentParameter, QStringLiteral("yieldDrop")},
                    period, format, message) ||
        !readSilentMinutes(request, silentMinutes, message) ||
        !readYieldDrop(request.query, yieldDrop, &message))
        return badRequest(request, message);
    Table yield, trend, lastRuns, alarms;
    QString error;
    if (!ask(request, queryOverview(*request.db, period, yield, trend, &error), error))
        return {};
    if (format != Format::Html)
        return tableReply(yield, format);
    if (!ask(request, queryLastRuns(*request.db, 20, lastRuns, &error), error))
        return {};
    if (!ask(request, queryAlarmsKept(*request.db, period, yieldDrop, alarms, &error), error))
        return {};
    QString live;
    if (!liveStationsPart(request, silentMinutes, live))
        return {};
    return html(200, QStringLiteral("Fleet overview"),
                overviewBody(period, yield, trend, lastRuns, alarms, yieldDrop) + live);
}

Reply productPage(Request& request, const QString& product) {
    Period period;
    Format format;
    QString message;
    if (!readCommon(request, PeriodParameters, period, format, message))
        return badRequest(request, message);
    if (!knownProduct(request, product, message))
        return request.databaseError.isEmpty() ? badRequest(request, message) : Reply{};
    Table pareto, capability, stations;
    QString error;
    if (!ask(request, queryCapability(*request.db, product, period, capability, &error), error))
        return {};
    if (format != Format::Html)
        return tableReply(capability, format);
    if (!ask(request, queryPareto(*request.db, product, period, pareto, &error), error))
        return {};
    if (!ask(request, queryStations(*request.db, product, period, stations, &error), error))
        return {};
    return html(200, QStringLiteral("Product ") + product,
                productBody(product, period, pareto, capability, stations));
}

// The capability rows of one line (one per set of limits it had).
Table capabilityOfLine(const Table& capability, const QString& key) {
    Table line{capability.columns, {}};
    const int keyColumn = capability.columnOf(QStringLiteral("key"));
    for (const QVariantList& row : capability.rows) {
        if (row.value(keyColumn).toString() == key)
            line.rows << row;
    }
    return line;
}

std::optional<double> limitOf(const Table& line, const char* key) {
    if (line.rows.isEmpty())
        return std::nullopt;
    const QVariant value = line.rows.first().value(line.columnOf(QLatin1String(key)));
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

// The line's data: its capability, its histogram and its values.
bool lineData(Request& request, const QString& product, const QString& key, const Period& period,
              Table& line, Table& histogram) {
    Table capability;
    QString error;
    if (!ask(request, queryCapability(*request.db, product, period, capability, &error), error))
        return false;
    line = capabilityOfLine(capability, key);
    return ask(request,
               queryHistogram(*request.db, product, key, period, limitOf(line, "lsl"),
                              limitOf(line, "usl"), histogram, &error),
               error);
}

bool knownLine(Request& request, const QString& product, const QString& key, QString& message) {
    if (!knownProduct(request, product, message) ||
        !checkName(key, QStringLiteral("line key"), &message))
        return false;
    bool exists = false;
    QString error;
    if (!ask(request, lineExists(*request.db, product, key, exists, &error), error))
        return false;
    if (!exists)
        message = QStringLiteral("Product \"%1\" has no line \"%2\".").arg(product, key);
    return exists;
}

Reply linePage(Request& request, const QString& product, const QString& key) {
    Period period;
    Format format;
    QString message;
    if (!readCommon(request, PeriodParameters, period, format, message))
        return badRequest(request, message);
    if (!knownLine(request, product, key, message))
        return request.databaseError.isEmpty() ? badRequest(request, message) : Reply{};
    Table line, histogram, values;
    QString error;
    if (format != Format::Html) {
        if (!ask(request, queryLineValues(*request.db, product, key, period, values, &error),
                 error))
            return {};
        return tableReply(values, format);
    }
    if (!lineData(request, product, key, period, line, histogram))
        return {};
    return html(200, QStringLiteral("%1, line %2").arg(product, key),
                lineBody(product, key, period, line, histogram));
}

const QStringList BaselineParameters = {QStringLiteral("baseline"), QStringLiteral("baselineFrom"),
                                        QStringLiteral("baselineTo")};

Reply controlPage(Request& request, const QString& product, const QString& key) {
    Period period;
    Format format;
    Baseline baseline;
    QString message;
    if (!readCommon(request, PeriodParameters + BaselineParameters, period, format, message) ||
        !readBaseline(request.query, baseline, &message))
        return badRequest(request, message);
    if (!knownLine(request, product, key, message))
        return request.databaseError.isEmpty() ? badRequest(request, message) : Reply{};
    Table limits, points;
    QString error;
    if (!ask(request,
             queryControlChart(*request.db, product, key, period, baseline, limits, points, &error),
             error))
        return {};
    if (format != Format::Html)
        return tableReply(points, format);
    return html(200, QStringLiteral("%1, line %2: control chart").arg(product, key),
                controlBody(product, key, period, baseline, limits, points));
}

Reply unitPage(Request& request, const QString& serial) {
    Format format;
    QString message;
    Period unused;
    const QStringList known =
        request.path.size() == 1 ? QStringList{QStringLiteral("serial")} : QStringList{};
    if (!readCommon(request, known, unused, format, message) ||
        !checkName(serial, QStringLiteral("serial number"), &message))
        return badRequest(request, message);
    Table runs;
    QString error;
    if (!ask(request, queryUnit(*request.db, serial, runs, &error), error))
        return {};
    if (format != Format::Html)
        return tableReply(runs, format);
    return html(200, QStringLiteral("Unit ") + serial, unitBody(serial, runs));
}

// /api/<name>: the tables of the pages as JSON (or CSV).
Reply api(Request& request, const QString& name) {
    const bool byProduct = name == QLatin1String("pareto") || name == QLatin1String("capability") ||
                           name == QLatin1String("stations") ||
                           name == QLatin1String("histogram") || name == QLatin1String("values");
    const bool control = name == QLatin1String("control") || name == QLatin1String("controllimits");
    const bool byLine =
        name == QLatin1String("histogram") || name == QLatin1String("values") || control;
    QStringList known;
    if (name == QLatin1String("unit"))
        known = {QStringLiteral("serial")};
    else if (name == QLatin1String("runs"))
        known = {QStringLiteral("count")};
    else if (name == QLatin1String("live"))
        known = {SilentParameter};
    else
        known = PeriodParameters;
    if (byProduct || control)
        known << QStringLiteral("product");
    if (control)
        known << BaselineParameters;
    if (name == QLatin1String("alarms"))
        known << QStringLiteral("yieldDrop");
    if (byLine)
        known << QStringLiteral("key");
    Period period;
    Format format;
    QString message;
    if (!readCommon(request, known, period, format, message))
        return badRequest(request, message);
    if (format == Format::Html)
        return badRequest(request, QStringLiteral("The parameter format of /api/%1 must be json "
                                                  "or csv.")
                                       .arg(name));
    Baseline baseline;
    double yieldDrop = DefaultYieldDrop;
    if ((control && !readBaseline(request.query, baseline, &message)) ||
        (name == QLatin1String("alarms") && !readYieldDrop(request.query, yieldDrop, &message)))
        return badRequest(request, message);
    QString product, key, serial;
    if ((byProduct || control) && !readName(request.query, QStringLiteral("product"),
                                            QStringLiteral("product name"), product, &message))
        return badRequest(request, message);
    if (byLine &&
        !readName(request.query, QStringLiteral("key"), QStringLiteral("line key"), key, &message))
        return badRequest(request, message);
    if (byLine ? !knownLine(request, product, key, message)
               : byProduct && !knownProduct(request, product, message))
        return request.databaseError.isEmpty() ? badRequest(request, message) : Reply{};

    Table table;
    QString error;
    bool answered = false;
    if (name == QLatin1String("yield")) {
        answered = queryYield(*request.db, period, table, &error);
    } else if (name == QLatin1String("trend")) {
        answered = queryTrend(*request.db, period, table, &error);
    } else if (name == QLatin1String("runs")) {
        int count = 20;
        if (request.query.hasQueryItem(QStringLiteral("count"))) {
            bool isNumber = false;
            count = request.query.queryItemValue(QStringLiteral("count")).toInt(&isNumber);
            if (!isNumber || count < 1 || count > 1000)
                return badRequest(request, QStringLiteral("The parameter count must be a whole "
                                                          "number from 1 to 1000."));
        }
        answered = queryLastRuns(*request.db, count, table, &error);
    } else if (name == QLatin1String("live")) {
        int silentMinutes = DefaultSilentMinutes;
        if (!readSilentMinutes(request, silentMinutes, message))
            return badRequest(request, message);
        bool missing = false;
        answered =
            queryLiveStations(*request.db, request.now, silentMinutes, table, missing, &error);
    } else if (name == QLatin1String("pareto")) {
        answered = queryPareto(*request.db, product, period, table, &error);
    } else if (name == QLatin1String("capability")) {
        answered = queryCapability(*request.db, product, period, table, &error);
    } else if (name == QLatin1String("stations")) {
        answered = queryStations(*request.db, product, period, table, &error);
    } else if (name == QLatin1String("histogram")) {
        Table line;
        answered = lineData(request, product, key, period, line, table);
        error = request.databaseError;
    } else if (name == QLatin1String("control")) {
        Table limits;
        answered =
            queryControlChart(*request.db, product, key, period, baseline, limits, table, &error);
    } else if (name == QLatin1String("controllimits")) {
        answered = queryControlLimits(*request.db, product, key, period, baseline, table, &error);
    } else if (name == QLatin1String("alarms")) {
        answered = queryAlarmsKept(*request.db, period, yieldDrop, table, &error);
    } else if (name == QLatin1String("values")) {
        answered = queryLineValues(*request.db, product, key, period, table, &error);
    } else if (name == QLatin1String("unit")) {
        if (!readName(request.query, QStringLiteral("serial"), QStringLiteral("serial number"),
                      serial, &message))
            return badRequest(request, message);
        answered = queryUnit(*request.db, serial, table, &error);
    }
    if (!ask(request, answered, error))
        return {};
    return tableReply(table, format);
}

const QStringList ApiNames = {
    QStringLiteral("yield"),   QStringLiteral("trend"),         QStringLiteral("runs"),
    QStringLiteral("pareto"),  QStringLiteral("capability"),    QStringLiteral("histogram"),
    QStringLiteral("values"),  QStringLiteral("unit"),          QStringLiteral("stations"),
    QStringLiteral("control"), QStringLiteral("controllimits"), QStringLiteral("alarms")};

Reply notFound(const Request& request) {
    return failure(
        request, 404, QStringLiteral("Not found"),
        QStringLiteral("There is no such page. The pages are /, /product/<name>, "
                       "/product/<name>/line/<key>, /product/<name>/line/<key>/control and "
                       "/unit/<serial>."));
}

Reply staticFile(const QString& name, const QString& chartScript) {
    QString path;
    QByteArray type;
    if (name == QLatin1String("chart.min.js")) {
        path = chartScript;
        type = "text/javascript";
    } else if (name == QLatin1String("dashboard.js")) {
        path = QStringLiteral(":/xq-dashboard/dashboard.js");
        type = "text/javascript";
    } else if (name == QLatin1String("dashboard.css")) {
        path = QStringLiteral(":/xq-dashboard/dashboard.css");
        type = "text/css";
    } else {
        return {404, "text/plain; charset=utf-8", "Not found\n"};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {404, "text/plain; charset=utf-8",
                QStringLiteral("%1 cannot be read: the charts need it (Debian: libjs-chart.js)\n")
                    .arg(path)
                    .toUtf8()};
    return {200, type, file.readAll()};
}

// The segments of the address, each decoded on its own, so that an encoded
// "/" in a serial number stays inside its segment.
QStringList segmentsOf(const QUrl& url) {
    QStringList segments;
    for (const QString& part : url.path(QUrl::FullyEncoded).split(u'/', Qt::SkipEmptyParts))
        segments << QUrl::fromPercentEncoding(part.toLatin1());
    return segments;
}

} // namespace

Dashboard::Dashboard(DatabaseLink& link) : Dashboard(link.target()) {
    link_ = &link;
}

Dashboard::Dashboard(DatabaseTarget target)
    : today([] { return QDateTime::currentDateTimeUtc().date(); }),
      now([] { return QDateTime::currentDateTimeUtc(); }), report([](const QString& text) {
          std::fprintf(stderr, "xq-dashboard: %s\n", qPrintable(text));
          std::fflush(stderr);
      }),
      chartScript(QStringLiteral(XQ_CHART_JS)), target_(std::move(target)) {
    registerDashboardResources();
}

Dashboard::Request Dashboard::newRequest(const QUrl& url) const {
    Request request;
    request.path = segmentsOf(url);
    request.query = QUrlQuery(url);
    request.today = today();
    request.now = now();
    request.api = request.path.value(0) == QLatin1String("api");
    return request;
}

std::optional<Reply> Dashboard::answerWithoutDatabase(const QByteArray& method,
                                                      const QUrl& url) const {
    const Request request = newRequest(url);
    if (method != "GET" && method != "HEAD")
        return failure(request, 405, QStringLiteral("Only reading"),
                       QStringLiteral("This server only reads: ask with GET."));
    if (request.path.value(0) == QLatin1String("static") && request.path.size() == 2)
        return staticFile(request.path[1], chartScript);
    return std::nullopt;
}

Reply Dashboard::handle(const QByteArray& method, const QUrl& url) {
    return handle(method, url, *link_);
}

Reply Dashboard::handle(const QByteArray& method, const QUrl& url, DatabaseLink& link) {
    if (std::optional<Reply> reply = answerWithoutDatabase(method, url))
        return *reply;
    Request request = newRequest(url);
    // A connection that went bad is dropped and the request asked once more on
    // a new one; a request that ran out of time is not asked again.
    QString error;
    bool outOfTime = false;
    for (int attempt = 0; attempt < 2 && !outOfTime; ++attempt) {
        request.databaseError.clear();
        request.db = link.acquire(&error);
        if (!request.db)
            break;
        // The server's statement time-out normally ends a slow query first,
        // with its own message; the watchdog is for a server that is silent.
        const std::uint64_t ticket =
            watchdog_.arm(QueryWatchdog::Clock::now() +
                              std::chrono::milliseconds(target_.statementTimeoutMs + 1000),
                          link.interrupter());
        Reply reply = route(request);
        outOfTime = watchdog_.disarm(ticket) ||
                    request.databaseError.contains(QLatin1String("statement timeout"));
        if (request.databaseError.isEmpty()) {
            noteDatabase(true, {});
            return reply;
        }
        error = request.databaseError;
        link.drop();
    }
    noteDatabase(false, error);
    if (outOfTime)
        return failure(
            request, 503, QStringLiteral("Database too slow"),
            QStringLiteral("The database %1 gave no answer within %2 s, so this page was given "
                           "up. It may be frozen or overloaded; try again in a moment.")
                .arg(target_.described())
                .arg(target_.statementTimeoutMs / 1000.0));
    return failure(request, 503, QStringLiteral("Database not reachable"),
                   QStringLiteral("The database %1 cannot be reached or gave no answer: %2. "
                                  "This page shows the figures again once it answers.")
                       .arg(target_.described(), error));
}

bool Dashboard::checkDatabase() {
    QString error;
    DatabaseLink probe(target_, QStringLiteral("xq-dashboard-probe"));
    const bool reachable = probe.acquire(&error) != nullptr;
    noteDatabase(reachable, error);
    return reachable;
}

Reply Dashboard::route(Request& request) {
    const QStringList& path = request.path;
    if (path.isEmpty())
        return overview(request);
    if (path[0] == QLatin1String("api") && path.size() == 2 && ApiNames.contains(path[1]))
        return api(request, path[1]);
    if (path[0] == QLatin1String("api") && path.size() == 2 && path[1] == QLatin1String("live"))
        return api(request, path[1]);
    if (path[0] == QLatin1String("product") && path.size() == 2)
        return productPage(request, path[1]);
    if (path[0] == QLatin1String("product") && path.size() == 4 && path[2] == QLatin1String("line"))
        return linePage(request, path[1], path[3]);
    if (path[0] == QLatin1String("product") && path.size() == 5 &&
        path[2] == QLatin1String("line") && path[4] == QLatin1String("control"))
        return controlPage(request, path[1], path[3]);
    if (path[0] == QLatin1String("unit") && path.size() == 2)
        return unitPage(request, path[1]);
    if (path[0] == QLatin1String("unit") && path.size() == 1) {
        QString serial, message;
        if (!readName(request.query, QStringLiteral("serial"), QStringLiteral("serial number"),
                      serial, &message))
            return badRequest(request, message);
        return unitPage(request, serial);
    }
    return notFound(request);
}

void Dashboard::noteDatabase(bool reachable, const QString& error) {
    std::lock_guard lock(reachableMutex_);
    if (reachable == reachable_)
        return;
    reachable_ = reachable;
    if (report)
        report(reachable ? QStringLiteral("the database %1 answers again").arg(target_.described())
                         : QStringLiteral("the database %1 cannot be reached: %2")
                               .arg(target_.described(), error));
}

} // namespace XQTestDev::dashboard
