// The fleet view as its user sees it: xq-dashboard serves a SQLite file the
// library wrote, and headless Chromium loads the pages, runs their scripts
// (Chart.js from the program itself) and gives back the DOM and a screenshot.

#include "dashboard/FleetFixture.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>

#include <utility>

#include <gtest/gtest.h>

using namespace XQTestDev;
using namespace XQTestDev::testing;

namespace {

const QString Chromium = QStringLiteral("/usr/bin/chromium");

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
    return probe.serverPort();
}

class DashboardBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(Chromium))
            GTEST_SKIP() << "Chromium is not installed (Debian: chromium)";
        ASSERT_TRUE(dir_.isValid());
        file_ = dir_.filePath(QStringLiteral("station-results.db"));
        const QString& file = file_;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open());
            QString error;
            // Runs of this week, so that the default period shows them.
            ASSERT_TRUE(writeFleet(db, QDateTime::currentDateTimeUtc().date(), &error))
                << error.toStdString();
            ASSERT_TRUE(writeLiveStations(db, QDateTime::currentDateTimeUtc(), &error))
                << error.toStdString();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("writer"));
        for (int attempt = 0; attempt < 3 && address_.isEmpty(); ++attempt) {
            const quint16 port = freePort();
            server_.start(QStringLiteral(XQ_DASHBOARD_PROGRAM),
                          {QStringLiteral("--database"), QStringLiteral("sqlite:") + file,
                           QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(port)});
            ASSERT_TRUE(server_.waitForStarted(10000));
            server_.waitForReadyRead(10000);
            if (server_.readAllStandardOutput().contains("serving"))
                address_ = QStringLiteral("http://127.0.0.1:%1").arg(port);
            else
                server_.waitForFinished(2000); // the port was taken meanwhile
        }
        ASSERT_FALSE(address_.isEmpty()) << server_.readAllStandardError().toStdString();
        QDir().mkpath(QStringLiteral(XQ_SCREENSHOT_DIR));
    }
    void TearDown() override {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(5000))
                server_.kill();
            server_.waitForFinished(2000);
        }
    }

    // CTL-9's designed series and the week before the period (FleetFixture),
    // written while the server runs: it reads the file afresh for each page.
    void addAlarmRuns() {
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("more"));
            db.setDatabaseName(file_);
            ASSERT_TRUE(db.open());
            QString error;
            const QDate today = QDateTime::currentDateTimeUtc().date();
            ASSERT_TRUE(writeControlSeries(db, today, &error)) << error.toStdString();
            ASSERT_TRUE(writeWeekBefore(db, today, &error)) << error.toStdString();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("more"));
    }

    // Runs headless Chromium in a profile of its own; its standard output.
    QByteArray chromium(const QStringList& arguments, int virtualMs = 3000,
                        const QString& windowSize = QStringLiteral("1200,1500")) {
        QTemporaryDir profile;
        QProcess browser;
        browser.start(Chromium,
                      QStringList{QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                                  QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
                                  QStringLiteral("--no-first-run"),
                                  QStringLiteral("--disable-background-networking"),
                                  QStringLiteral("--disable-component-update"),
                                  QStringLiteral("--disable-sync"),
                                  QStringLiteral("--user-data-dir=") + profile.path(),
                                  QStringLiteral("--window-size=") + windowSize,
                                  QStringLiteral("--virtual-time-budget=%1").arg(virtualMs)} +
                          arguments);
        EXPECT_TRUE(browser.waitForFinished(60000)) << "Chromium did not finish";
        return browser.readAllStandardOutput();
    }
    // The page after its scripts ran, and its screenshot under `name`.
    QString load(const QString& path, const QString& name) {
        chromium(
            {QStringLiteral("--screenshot=%1/%2.png").arg(QStringLiteral(XQ_SCREENSHOT_DIR), name),
             address_ + path});
        return QString::fromUtf8(chromium({QStringLiteral("--dump-dom"), address_ + path}));
    }

    // The page at a screen size, as a harness page beside it measures it (the
    // browser lets the harness read the page's layout for the test): its
    // screenshot under `name` and the measurements as JSON.
    QJsonObject measure(const QString& path, const QString& size, const QString& name) {
        const QString harness = dir_.filePath(QStringLiteral("harness.html"));
        QFile file(harness);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(LayoutHarness).replace("PAGE", (address_ + path).toUtf8()));
        file.close();
        const QStringList open = {
            QStringLiteral("--disable-web-security"),
            QStringLiteral("--disable-site-isolation-trials"),
            QStringLiteral("--disable-features=IsolateOrigins,site-per-process"),
            QStringLiteral("--allow-file-access-from-files"),
            QUrl::fromLocalFile(harness).toString()};
        chromium(QStringList{QStringLiteral("--screenshot=%1/%2.png")
                                 .arg(QStringLiteral(XQ_SCREENSHOT_DIR), name)} +
                     open,
                 4000, size);
        const QString dom = QString::fromUtf8(
            chromium(QStringList{QStringLiteral("--dump-dom")} + open, 4000, size));
        const QRegularExpression result(QStringLiteral("<pre id=\"result\"[^>]*>(.*)</pre>"));
        const QString json =
            result.match(dom).captured(1).replace(QStringLiteral("&quot;"), QStringLiteral("\""));
        QJsonParseError error;
        const QJsonObject measured = QJsonDocument::fromJson(json.toUtf8(), &error).object();
        EXPECT_EQ(error.error, QJsonParseError::NoError) << dom.right(800).toStdString();
        return measured;
    }

    // Loads the page in a frame of the window's size and, once its scripts
    // ran, reports: how wide the page is beside its window, the numbers
    // broken over two lines, the elements outside the window that are not in
    // a box that scrolls, the capability table's Cpk column after a click on
    // its heading, and the live stations' states as shown.
    static constexpr const char* LayoutHarness = R"(<!DOCTYPE html>
<html><body style="margin:0;overflow:hidden"><iframe id="page"
 style="border:0;width:100vw;height:100vh;display:block"></iframe><pre id="result" style="display:none"></pre>
<script>
const report = (value) => { document.getElementById("result").textContent = JSON.stringify(value); };
// The page's own HTML in a frame of the harness (so that the harness may read
// it), its styles, scripts and data still from the server.
fetch("PAGE").then((r) => r.text()).then((html) => {
  document.getElementById("page").srcdoc =
    html.replace("<head>", "<head><base href=\"" + new URL("PAGE").origin + "/\">");
}).catch((e) => report({ error: String(e) }));
document.getElementById("page").onload = () => setTimeout(() => { try {
  const d = document.getElementById("page").contentDocument;
  const root = d.documentElement;
  const broken = [];
  for (const cell of d.querySelectorAll("td.num, th.num")) {
    const range = d.createRange();
    range.selectNodeContents(cell);
    const lines = new Set(Array.from(range.getClientRects()).map((r) => Math.round(r.top)));
    if (lines.size > 1) broken.push(cell.textContent);
  }
  const outside = [];
  for (const e of d.body.querySelectorAll("*")) {
    if (e.closest("div.scroll")) continue;
    const box = e.getBoundingClientRect();
    if (box.width > 0 && box.right > root.clientWidth + 1) outside.push(e.tagName + "." + e.className);
  }
  const result = { pageWidth: root.scrollWidth, windowWidth: root.clientWidth, broken, outside };
  const cpk = d.querySelector("#capability th[data-key=cpk]");
  if (cpk) {
    cpk.click();
    const column = Array.from(cpk.parentNode.children).indexOf(cpk);
    result.cpkSorted = Array.from(d.querySelectorAll("#capability tbody tr"))
      .map((r) => parseFloat(r.cells[column].textContent));
  }
  const live = d.querySelector("#live-stations");
  if (live) result.liveStates = Array.from(live.tBodies[0].rows).map((r) => r.cells[1].textContent);
  report(result);
} catch (e) { report({ error: String(e) }); } }, 1500);
</script></body></html>)";

    QTemporaryDir dir_;
    QString file_;
    QProcess server_;
    QString address_;
};

// The opening tag of the element with this id.
QString tagOf(const QString& dom, const QString& id) {
    const QRegularExpression tag(QStringLiteral("<[a-z]+ [^>]*id=\"%1\"[^>]*>").arg(id));
    return tag.match(dom).captured(0);
}

int rowsOf(const QString& dom, const QString& tableId) {
    const qsizetype start = dom.indexOf(QStringLiteral("id=\"%1\"").arg(tableId));
    const qsizetype end = dom.indexOf(QStringLiteral("</table>"), start);
    if (start < 0 || end < 0)
        return -1;
    return static_cast<int>(dom.mid(start, end - start).count(QStringLiteral("<tr>")) - 1);
}

TEST_F(DashboardBrowser, TheOverviewShowsTheYieldsAndDrawsTheTrend) {
    const QString dom = load(QStringLiteral("/"), QStringLiteral("overview"));
    ASSERT_TRUE(dom.contains(QStringLiteral("Fleet overview"))) << dom.left(500).toStdString();
    // ATE-01 of PSU5V-100: first-pass 2 of 4 units, final 3 of 4.
    EXPECT_TRUE(dom.contains(QStringLiteral("<td class=\"num\">50.0 %</td><td class=\"num\">75.0 "
                                            "%</td>")));
    EXPECT_EQ(rowsOf(dom, QStringLiteral("yield")), 3);
    EXPECT_TRUE(
        tagOf(dom, QStringLiteral("trend-chart")).contains(QStringLiteral("data-drawn=\"1\"")))
        << tagOf(dom, QStringLiteral("trend-chart")).toStdString();
    EXPECT_EQ(rowsOf(dom, QStringLiteral("last-runs")), 9);
    // Six seconds later the last runs were fetched again as JSON and redrawn.
    const QString later = QString::fromUtf8(
        chromium({QStringLiteral("--dump-dom"), address_ + QStringLiteral("/")}, 6500));
    const QString table = tagOf(later, QStringLiteral("last-runs"));
    EXPECT_TRUE(table.contains(QStringLiteral("data-refreshed=\"1"))) << table.toStdString();
    EXPECT_EQ(rowsOf(later, QStringLiteral("last-runs")), 9);
    EXPECT_TRUE(later.contains(QStringLiteral("<a href=\"/unit/SN-L1\">SN-L1</a>")));
}

TEST_F(DashboardBrowser, TheProductPageDrawsTheParetoChart) {
    const QString dom = load(QStringLiteral("/product/PSU5V-100"), QStringLiteral("product"));
    const QString canvas = tagOf(dom, QStringLiteral("pareto-chart"));
    EXPECT_TRUE(canvas.contains(QStringLiteral("data-drawn=\"1\""))) << canvas.toStdString();
    EXPECT_FALSE(canvas.contains(QStringLiteral("data-failed")));
    EXPECT_EQ(rowsOf(dom, QStringLiteral("pareto")), 3);
    EXPECT_TRUE(dom.contains(QStringLiteral("0.2712"))); // Cpk of the output voltage
    const QString line = load(QStringLiteral("/product/PSU5V-100/line/1"), QStringLiteral("line"));
    EXPECT_TRUE(tagOf(line, QStringLiteral("histogram-chart"))
                    .contains(QStringLiteral("data-drawn=\"1\"")));
    EXPECT_TRUE(
        tagOf(line, QStringLiteral("values-chart")).contains(QStringLiteral("data-drawn=\"1\"")));
}

TEST_F(DashboardBrowser, TheUnitPageListsItsRuns) {
    const QString dom = load(QStringLiteral("/unit/SN-1"), QStringLiteral("unit"));
    EXPECT_EQ(rowsOf(dom, QStringLiteral("runs")), 2);
    EXPECT_TRUE(dom.contains(QStringLiteral("1 Output voltage: 5.3 V (4.75 … 5.25)")));
    EXPECT_TRUE(dom.contains(QStringLiteral("GPIB0::22::INSTR: ORVANTA,DM-3065,SN004417,1.04")));
}

TEST_F(DashboardBrowser, TheControlChartMarksTheRuleBreaksAndTheOverviewListsTheAlarms) {
    addAlarmRuns();
    const QString dom =
        load(QStringLiteral("/product/CTL-9/line/1/control?baseline=8"), QStringLiteral("control"));
    const QString canvas = tagOf(dom, QStringLiteral("control-chart"));
    EXPECT_TRUE(canvas.contains(QStringLiteral("data-drawn=\"1\""))) << canvas.toStdString();
    EXPECT_EQ(rowsOf(dom, QStringLiteral("baseline")), 1);
    EXPECT_EQ(rowsOf(dom, QStringLiteral("breaks")), 4);
    // Three lines under the Cpk goal, CTL-9's rule break, the first-pass
    // yields of PSU5V-100 and of ATE-02 fallen.
    const QString overview = load(QStringLiteral("/"), QStringLiteral("overview-alarms"));
    EXPECT_EQ(rowsOf(overview, QStringLiteral("alarms")), 6);
    EXPECT_TRUE(overview.contains(QStringLiteral("1 of the latest 25 values breaks rule 4.")));
}

// At a laptop's width and a phone's: no number breaks inside, the page never
// scrolls sideways (a wide table scrolls in its own box), nothing stands
// outside the window, and the capability table sorts by Cpk. One test a page,
// so that each stays well within its time on a busy machine.
struct LayoutPage {
    const char* path;
    const char* name;
};

class DashboardLayout : public DashboardBrowser,
                        public ::testing::WithParamInterface<LayoutPage> {};

TEST_P(DashboardLayout, ReadsWellOnALaptopAndAPhone) {
    addAlarmRuns();
    const LayoutPage& page = GetParam();
    for (const auto& [size, label] : {std::pair{"1366,900", "laptop"}, {"390,844", "phone"}}) {
        SCOPED_TRACE(label);
        const QJsonObject measured = measure(
            QLatin1String(page.path), QLatin1String(size),
            QStringLiteral("layout-%1-%2").arg(QLatin1String(label), QLatin1String(page.name)));
        ASSERT_TRUE(measured.contains(QStringLiteral("pageWidth")))
            << QJsonDocument(measured).toJson().toStdString();
        EXPECT_LE(measured[QStringLiteral("pageWidth")].toInt(),
                  measured[QStringLiteral("windowWidth")].toInt());
        EXPECT_EQ(measured[QStringLiteral("broken")].toArray(), QJsonArray())
            << QJsonDocument(measured).toJson().toStdString();
        EXPECT_EQ(measured[QStringLiteral("outside")].toArray(), QJsonArray())
            << QJsonDocument(measured).toJson().toStdString();
        if (QLatin1String(page.name) == QLatin1String("overview")) {
            // FleetFixture.h's live stations, fifteen minutes of silence.
            EXPECT_EQ(measured[QStringLiteral("liveStates")].toArray(),
                      QJsonArray({"testing", "idle", "silent", "testing", "silent", "idle"}));
        }
        if (QLatin1String(page.name) == QLatin1String("product")) {
            const QJsonArray cpk = measured[QStringLiteral("cpkSorted")].toArray();
            ASSERT_GE(cpk.size(), 2);
            // Lines without a Cpk (no spread) go last.
            for (qsizetype i = 1; i < cpk.size() && !cpk[i].isNull(); ++i)
                EXPECT_LE(cpk[i - 1].toDouble(), cpk[i].toDouble()) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, DashboardLayout,
    ::testing::Values(LayoutPage{"/", "overview"}, LayoutPage{"/product/PSU5V-100", "product"},
                      LayoutPage{"/product/PSU5V-100/line/1", "line"},
                      LayoutPage{"/product/CTL-9/line/1/control?baseline=8", "control"},
                      LayoutPage{"/unit/SN-1", "unit"}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
