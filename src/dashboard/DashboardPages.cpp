#include "DashboardPages.h"

#include "DashboardAlarms.h"
#include "DashboardRender.h"
#include "DashboardSql.h"
#include "LiveStations.h"

#include <QJsonArray>
#include <QSet>

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

// The alarms first on the overview, each linked to the page that shows it.
QString alarmsPart(const Period& period, const Table& alarms, double yieldDrop) {
    QString api = QStringLiteral("/api/alarms?") + periodQuery(period);
    if (yieldDrop != DefaultYieldDrop)
        api += QStringLiteral("&yieldDrop=") + QString::number(yieldDrop);
    const int addressColumn = alarms.columnOf(QStringLiteral("address"));
    Table shown;
    QList<int> picked;
    for (const char* key : {"alarm", "product", "station", "key", "parameter"}) {
        picked << alarms.columnOf(QLatin1String(key));
        shown.columns << alarms.columns.value(picked.last());
    }
    for (const QVariantList& row : alarms.rows) {
        QVariantList cells;
        for (const int column : std::as_const(picked))
            cells << row.value(column);
        cells << row.value(addressColumn);
        shown.rows << cells;
    }
    const int linkColumn = static_cast<int>(picked.size());
    const CellLink toPage = [linkColumn](const QVariantList& row) {
        return row.value(linkColumn).toString();
    };
    return QStringLiteral("<h2>Alarms") + csvLink(api) +
           QStringLiteral("</h2><p class=\"note\">Lines whose Cpk is under %1, lines with "
                          "control-chart rule breaks among their latest %2 values, products and "
                          "stations whose first-pass yield fell by more than %3 points against "
                          "the %4 days before.</p>")
               .arg(CpkGoal)
               .arg(AlarmLatestValues)
               .arg(yieldDrop)
               .arg(period.from.daysTo(period.to) + 1) +
           tableHtml(shown, {{QStringLiteral("alarm"), toPage}}, QStringLiteral("alarms"), {},
                     QStringLiteral("No alarms in this period."));
}

// The period and the baseline, one form.
QString controlForm(const QString& action, const Period& period, const Baseline& baseline) {
    const auto date = [](const std::optional<Period>& p, bool from) {
        return p ? (from ? p->from : p->to).toString(Qt::ISODate) : QString();
    };
    return QStringLiteral(
               "<form class=\"period\" action=\"%1\" method=\"get\">"
               "<label>From <input type=\"date\" name=\"from\" value=\"%2\"></label> "
               "<label>to <input type=\"date\" name=\"to\" value=\"%3\"></label> "
               "<label>Baseline: the first <input type=\"number\" name=\"baseline\" min=\"2\" "
               "value=\"%4\" class=\"count\"> values</label> "
               "<label>or from <input type=\"date\" name=\"baselineFrom\" value=\"%5\"></label> "
               "<label>to <input type=\"date\" name=\"baselineTo\" value=\"%6\"></label> "
               "<button>Show</button></form>")
        .arg(htmlEscaped(action), period.from.toString(Qt::ISODate),
             period.to.toString(Qt::ISODate),
             baseline.period ? QString() : QString::number(baseline.count),
             date(baseline.period, true), date(baseline.period, false));
}

// The chart's points that break a rule, each with its unit.
Table breakingPoints(const Table& points) {
    Table breaks;
    QList<int> picked;
    for (const char* key : {"time", "serialNumber", "value", "rules"}) {
        picked << points.columnOf(QLatin1String(key));
        breaks.columns << points.columns.value(picked.last());
    }
    const int rulesColumn = points.columnOf(QStringLiteral("rules"));
    for (const QVariantList& row : points.rows) {
        if (row.value(rulesColumn).toJsonArray().isEmpty())
            continue;
        QVariantList cells;
        for (const int column : std::as_const(picked))
            cells << row.value(column);
        breaks.rows << cells;
    }
    return breaks;
}

} // namespace

QString periodQuery(const Period& period) {
    return QStringLiteral("from=%1&to=%2")
        .arg(period.from.toString(Qt::ISODate), period.to.toString(Qt::ISODate));
}

QString productAddress(const QString& product) {
    return QStringLiteral("/product/") + pathSegment(product);
}

QString lineAddress(const QString& product, const QString& key) {
    return productAddress(product) + QStringLiteral("/line/") + pathSegment(key);
}

QString controlAddress(const QString& product, const QString& key) {
    return lineAddress(product, key) + QStringLiteral("/control");
}

QString unitAddress(const QString& serial) {
    return QStringLiteral("/unit/") + pathSegment(serial);
}

QString overviewBody(const Period& period, const Table& yield, const Table& trend,
                     const Table& lastRuns, const Table& alarms, double yieldDrop) {
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
           alarmsPart(period, alarms, yieldDrop) +
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

namespace {

// A link to each numeric line's control chart, in the capability table's
// order (a line with several sets of limits once).
QString controlLinks(const QString& product, const Period& period, const Table& capability) {
    const int keyColumn = capability.columnOf(QStringLiteral("key"));
    const int parameterColumn = capability.columnOf(QStringLiteral("parameter"));
    QSet<QString> seen;
    QStringList links;
    for (const QVariantList& row : capability.rows) {
        const QString key = row.value(keyColumn).toString();
        if (seen.contains(key))
            continue;
        seen.insert(key);
        links << QStringLiteral("<a href=\"%1\">%2 %3</a>")
                     .arg(htmlEscaped(controlAddress(product, key) + u'?' + periodQuery(period)),
                          htmlEscaped(key), htmlEscaped(row.value(parameterColumn).toString()));
    }
    if (links.isEmpty())
        return {};
    return QStringLiteral("<p class=\"charts\">Control charts: %1</p>")
        .arg(links.join(QStringLiteral(" · ")));
}

} // namespace

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
           controlLinks(product, period, capability) + QStringLiteral("<h2>Stations compared") +
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
           periodForm(lineAddress(product, key), period) +
           QStringLiteral("<p class=\"charts\"><a href=\"%1\">Control chart</a></p>")
               .arg(htmlEscaped(controlAddress(product, key) + u'?' + periodQuery(period))) +
           QStringLiteral("<h2>Capability</h2>") +
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

QString baselineQuery(const Baseline& baseline) {
    if (baseline.period)
        return QStringLiteral("baselineFrom=%1&baselineTo=%2")
            .arg(baseline.period->from.toString(Qt::ISODate),
                 baseline.period->to.toString(Qt::ISODate));
    return QStringLiteral("baseline=%1").arg(baseline.count);
}

QString controlBody(const QString& product, const QString& key, const Period& period,
                    const Baseline& baseline, const Table& limits, const Table& points) {
    const QString source = QStringLiteral("?product=%1&key=%2&%3&%4")
                               .arg(queryValue(product), queryValue(key), periodQuery(period),
                                    baselineQuery(baseline));
    const int serialColumn = 1;
    const CellLink toUnit = [serialColumn](const QVariantList& row) {
        return unitAddress(row.value(serialColumn).toString());
    };
    const QString which = baseline.period
                              ? QStringLiteral("the values from %1 to %2")
                                    .arg(baseline.period->from.toString(Qt::ISODate),
                                         baseline.period->to.toString(Qt::ISODate))
                              : QStringLiteral("the period's first %1 values").arg(baseline.count);
    return QStringLiteral("<h1>Product <a href=\"%1?%2\">%3</a>, line <a href=\"%4?%2\">%5</a>: "
                          "control chart</h1>")
               .arg(htmlEscaped(productAddress(product)), htmlEscaped(periodQuery(period)),
                    htmlEscaped(product), htmlEscaped(lineAddress(product, key)),
                    htmlEscaped(key)) +
           controlForm(controlAddress(product, key), period, baseline) +
           QStringLiteral("<h2>Baseline") + csvLink(QStringLiteral("/api/controllimits") + source) +
           QStringLiteral("</h2><p class=\"note\">From %1: the centre line is their mean, sigma "
                          "their average moving range (between consecutive values) divided by "
                          "%2, the limits the centre line &#177; 3 sigma.</p>")
               .arg(htmlEscaped(which))
               .arg(MovingRangeD2) +
           tableHtml(limits, {}, QStringLiteral("baseline"), {},
                     QStringLiteral("No values in the baseline.")) +
           QStringLiteral("<h2>Individuals chart <small>(the latest %1 values)</small>")
               .arg(LineValuesShown) +
           csvLink(QStringLiteral("/api/control") + source) + QStringLiteral("</h2>") +
           canvas(QStringLiteral("control-chart"), QStringLiteral("control"),
                  QStringLiteral("/api/control") + source) +
           QStringLiteral("<h2>Points that break the rules</h2><p class=\"note\">Western Electric "
                          "rules: 1, a point beyond 3 sigma; 2, two of three points in a row "
                          "beyond 2 sigma on the same side; 3, four of five beyond 1 sigma on the "
                          "same side; 4, eight in a row on the same side of the centre line. A "
                          "point is listed with the rules it completes.</p>") +
           tableHtml(breakingPoints(points), {{QStringLiteral("serialNumber"), toUnit}},
                     QStringLiteral("breaks"), {}, QStringLiteral("No point breaks a rule."));
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
