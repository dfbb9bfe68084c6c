#include "DashboardPages.h"

#include "DashboardRender.h"
#include "DashboardSql.h"
#include "LiveStations.h"

namespace XQTestDev::dashboard {

namespace {

QString periodForm(const QString& action, const Period& period) {
    return QStringLiteral("<form class=\"period\" action=\"%1\" method=\"get\">"
                          "<label>From <input type=\"date\" name=\"from\" value=\"%2\"></label> "
                          "<label>to <input type=\"date\" name=\"to\" value=\"%3\"></label> "
                          "<button>Show</button></form>")
        .arg(htmlEscaped(action), period.from.toString(Qt::ISODate),
             period.to.toString(Qt::ISODate));
}

QString csvLink(const QString& api) {
    return QStringLiteral(" <a class=\"csv\" href=\"%1\">CSV</a>")
        .arg(htmlEscaped(api + QStringLiteral("&format=csv")));
}

QString apiWith(const QString& path, const QString& product, const Period& period) {
    return QStringLiteral("%1?product=%2&%3").arg(path, queryValue(product), periodQuery(period));
}

QString lineAddress(const QString& product, const QString& key) {
    return productAddress(product) + QStringLiteral("/line/") + pathSegment(key);
}

QString canvas(const QString& id, const QString& chart, const QString& source,
               const QString& extra = {}) {
    return QStringLiteral("<div class=\"chart\"><canvas id=\"%1\" data-chart=\"%2\" "
                          "data-src=\"%3\"%4></canvas></div>")
        .arg(htmlEscaped(id), htmlEscaped(chart), htmlEscaped(source), extra);
}

// The failing lines, or a sentence that none failed when the product had runs
// (an empty chart would read as "no data").
QString paretoPart(const QString& product, const Period& period, const Table& pareto,
                   const Table& capability) {
    if (pareto.rows.isEmpty() && !capability.rows.isEmpty())
        return tableHtml(pareto, {}, QStringLiteral("pareto"), {},
                         QStringLiteral("No line failed in this period."));
    return canvas(QStringLiteral("pareto-chart"), QStringLiteral("pareto"),
                  apiWith(QStringLiteral("/api/pareto"), product, period)) +
           tableHtml(pareto, {}, QStringLiteral("pareto"));
}

} // namespace

QString periodQuery(const Period& period) {
    return QStringLiteral("from=%1&to=%2")
        .arg(period.from.toString(Qt::ISODate), period.to.toString(Qt::ISODate));
}

QString productAddress(const QString& product) {
    return QStringLiteral("/product/") + pathSegment(product);
}

QString unitAddress(const QString& serial) {
    return QStringLiteral("/unit/") + pathSegment(serial);
}

QString overviewBody(const Period& period, const Table& yield, const Table& trend,
                     const Table& lastRuns) {
    const QString range = periodQuery(period);
    const int productColumn = yield.columnOf(QStringLiteral("product"));
    const int serialColumn = lastRuns.columnOf(QStringLiteral("serialNumber"));
    const CellLink toProduct = [productColumn, range](const QVariantList& row) {
        return productAddress(row.value(productColumn).toString()) + u'?' + range;
    };
    const CellLink toUnit = [serialColumn](const QVariantList& row) {
        return unitAddress(row.value(serialColumn).toString());
    };
    return QStringLiteral("<h1>Fleet overview</h1>") + periodForm(QStringLiteral("/"), period) +
           QStringLiteral("<h2>Yield per product and station") +
           csvLink(QStringLiteral("/api/yield?") + range) + QStringLiteral("</h2>") +
           tableHtml(yield, {{QStringLiteral("product"), toProduct}}, QStringLiteral("yield")) +
           QStringLiteral("<h2>First-pass yield per day") +
           csvLink(QStringLiteral("/api/trend?") + range) + QStringLiteral("</h2>") +
           canvas(QStringLiteral("trend-chart"), QStringLiteral("trend"),
                  QStringLiteral("/api/trend?") + range) +
           tableHtml(trend, {}, QStringLiteral("trend")) +
           QStringLiteral("<h2>Last 20 runs <small>(refreshed every 5 s)</small>") +
           csvLink(QStringLiteral("/api/runs?count=20")) + QStringLiteral("</h2>") +
           tableHtml(lastRuns, {{QStringLiteral("serialNumber"), toUnit}},
                     QStringLiteral("last-runs"),
                     QStringLiteral("data-refresh=\"/api/runs?count=20\""));
}

QString liveStationsSection(const Table& live, bool missing, int silentMinutes) {
    const QString api = QStringLiteral("/api/live?silent=%1").arg(silentMinutes);
    const int serialColumn = live.columnOf(QStringLiteral("serialNumber"));
    const CellLink toUnit = [serialColumn](const QVariantList& row) {
        const QString serial = row.value(serialColumn).toString();
        return serial.isEmpty() ? QString() : unitAddress(serial);
    };
    const QString heading =
        QStringLiteral("<h2>Live stations <small>(refreshed every 5 s)</small>") + csvLink(api) +
        QStringLiteral("</h2><p class=\"note\">Testing: a run started and has not ended. Idle: "
                       "the last run ended. Silent: no sign of life for %1 minutes, or a run "
                       "started over %2 minutes ago without an end.</p>")
            .arg(silentMinutes)
            .arg(silentMinutes * SilentTestingFactor);
    if (missing)
        return heading + tableHtml(live, {}, QStringLiteral("live-stations"), {},
                                   QStringLiteral("The run tables are older than the stations' "
                                                  "live state: xq-db migrate brings them "
                                                  "forward."));
    return heading + tableHtml(live, {{QStringLiteral("serialNumber"), toUnit}},
                               QStringLiteral("live-stations"),
                               QStringLiteral("data-refresh=\"%1\"").arg(htmlEscaped(api)),
                               QStringLiteral("No station has told its state yet."));
}

QString productBody(const QString& product, const Period& period, const Table& pareto,
                    const Table& capability, const Table& stations) {
    const int keyColumn = capability.columnOf(QStringLiteral("key"));
    const QString range = periodQuery(period);
    const CellLink toLine = [keyColumn, product, range](const QVariantList& row) {
        return lineAddress(product, row.value(keyColumn).toString()) + u'?' + range;
    };
    return QStringLiteral("<h1>Product %1</h1>").arg(htmlEscaped(product)) +
           periodForm(productAddress(product), period) +
           QStringLiteral("<h2>Failing lines (Pareto)") +
           csvLink(apiWith(QStringLiteral("/api/pareto"), product, period)) +
           QStringLiteral("</h2>") + paretoPart(product, period, pareto, capability) +
           QStringLiteral("<h2>Process capability of the numeric lines") +
           csvLink(apiWith(QStringLiteral("/api/capability"), product, period)) +
           QStringLiteral("</h2><p class=\"note\">A Cpk under %1 is marked. Click a heading to "
                          "sort by it.</p>")
               .arg(CpkGoal) +
           tableHtml(capability, {{QStringLiteral("key"), toLine}}, QStringLiteral("capability"),
                     QStringLiteral("class=\"sortable\"")) +
           QStringLiteral("<h2>Stations compared") +
           csvLink(apiWith(QStringLiteral("/api/stations"), product, period)) +
           QStringLiteral("</h2><p class=\"note\">Each station's values of a line beside the "
                          "fleet's. A station differs when Welch's two-sided t-test of its values "
                          "against the other stations' gives p under %1.</p>")
               .arg(StationDifferenceLevel) +
           tableHtml(stations, {{QStringLiteral("key"), toLine}}, QStringLiteral("stations"),
                     QStringLiteral("class=\"sortable\""));
}

QString lineBody(const QString& product, const QString& key, const Period& period,
                 const Table& capability, const Table& histogram) {
    const QString source = QStringLiteral("?product=%1&key=%2&%3")
                               .arg(queryValue(product), queryValue(key), periodQuery(period));
    QString limits;
    if (!capability.rows.isEmpty()) {
        const QVariantList& row = capability.rows.first();
        for (const char* limit : {"lsl", "usl"}) {
            const QVariant value = row.value(capability.columnOf(QLatin1String(limit)));
            if (!value.isNull())
                limits +=
                    QStringLiteral(" data-%1=\"%2\"")
                        .arg(QLatin1String(limit), QString::number(value.toDouble(), 'g', 17));
        }
    }
    return QStringLiteral("<h1>Product <a href=\"%1?%2\">%3</a>, line %4</h1>")
               .arg(htmlEscaped(productAddress(product)), periodQuery(period), htmlEscaped(product),
                    htmlEscaped(key)) +
           periodForm(lineAddress(product, key), period) + QStringLiteral("<h2>Capability</h2>") +
           tableHtml(capability, {}, QStringLiteral("capability")) +
           QStringLiteral("<h2>Histogram with the limits") +
           csvLink(QStringLiteral("/api/histogram") + source) + QStringLiteral("</h2>") +
           canvas(QStringLiteral("histogram-chart"), QStringLiteral("histogram"),
                  QStringLiteral("/api/histogram") + source, limits) +
           tableHtml(histogram, {}, QStringLiteral("histogram")) +
           QStringLiteral("<h2>Values in time order <small>(the latest %1)</small>")
               .arg(LineValuesShown) +
           csvLink(QStringLiteral("/api/values") + source) + QStringLiteral("</h2>") +
           canvas(QStringLiteral("values-chart"), QStringLiteral("values"),
                  QStringLiteral("/api/values") + source, limits);
}

QString unitBody(const QString& serial, const Table& runs) {
    QString body =
        QStringLiteral("<h1>Unit <span class=\"serial\">%1</span></h1>").arg(htmlEscaped(serial));
    if (runs.rows.isEmpty())
        return body + QStringLiteral("<p class=\"empty\">No runs of this serial number are "
                                     "stored.</p>");
    return body +
           QStringLiteral("<h2>%1 run%2")
               .arg(runs.rows.size())
               .arg(runs.rows.size() == 1 ? QString() : QStringLiteral("s")) +
           csvLink(QStringLiteral("/api/unit?serial=") + queryValue(serial)) +
           QStringLiteral("</h2>") + tableHtml(runs, {}, QStringLiteral("runs"));
}

QString messageBody(const QString& heading, const QString& message) {
    return QStringLiteral("<h1>%1</h1><p class=\"message\">%2</p>")
        .arg(htmlEscaped(heading), htmlEscaped(message));
}

} // namespace XQTestDev::dashboard
