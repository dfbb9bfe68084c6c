#include "DashboardDemo.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTimer>

#include <cstdio>

namespace {

// The program built beside the demo, else the installed one.
QString dashboardProgram() {
#ifdef XQ_DASHBOARD_PROGRAM
    if (QFile::exists(QStringLiteral(XQ_DASHBOARD_PROGRAM)))
        return QStringLiteral(XQ_DASHBOARD_PROGRAM);
#endif
    return QStandardPaths::findExecutable(QStringLiteral("xq-dashboard"));
}

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
    return probe.serverPort();
}

struct Answer {
    int status = 0;
    QByteArray body;
    QString error;
};

Answer fetch(QNetworkAccessManager& network, const QString& address) {
    QNetworkReply* reply = network.get(QNetworkRequest(QUrl(address)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    Answer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.body = reply->readAll();
    if (!reply->isFinished())
        answer.error = QStringLiteral("no answer within 10 s");
    else if (answer.status == 0)
        answer.error = reply->errorString();
    reply->deleteLater();
    return answer;
}

QString percent(const QJsonValue& value) {
    return value.isNull()
               ? QStringLiteral("-")
               : QString::number(value.toDouble() * 100.0, 'f', 1) + QStringLiteral(" %");
}

void printYields(const QByteArray& json) {
    for (const QJsonValue& value : QJsonDocument::fromJson(json).array()) {
        const QJsonObject row = value.toObject();
        report(QStringLiteral("  %1 on %2: %3 runs, %4 units, first-pass yield %5, final yield %6, "
                              "%7 aborted")
                   .arg(row[QStringLiteral("product")].toString(),
                        row[QStringLiteral("station")].toString())
                   .arg(row[QStringLiteral("runs")].toInt())
                   .arg(row[QStringLiteral("units")].toInt())
                   .arg(percent(row[QStringLiteral("firstPassYield")]),
                        percent(row[QStringLiteral("finalYield")]))
                   .arg(row[QStringLiteral("aborted")].toInt()));
    }
}

void stop(QProcess& server) {
    server.terminate();
    if (!server.waitForFinished(5000))
        server.kill();
    server.waitForFinished(2000);
}

} // namespace

void showFleetView(const DemoSession& session) {
    const QString program = dashboardProgram();
    if (program.isEmpty()) {
        report(QStringLiteral("xq-dashboard was not built (it needs qt6-httpserver-dev): no "
                              "fleet view."));
        return;
    }
    const QString file = session.stationDirectory + QStringLiteral("/station-results.db");
    const QString listen = QStringLiteral("127.0.0.1:%1").arg(freePort());
    QProcess server;
    server.start(program, {QStringLiteral("--database"), QStringLiteral("sqlite:") + file,
                           QStringLiteral("--listen"), listen});
    if (!server.waitForStarted(5000) || !server.waitForReadyRead(10000) ||
        !server.readAllStandardOutput().contains("serving")) {
        report(QStringLiteral("xq-dashboard did not start: %1")
                   .arg(QString::fromLocal8Bit(server.readAllStandardError()).trimmed()));
        stop(server);
        return;
    }
    const QString address = QStringLiteral("http://") + listen;
    report(QStringLiteral("Fleet view of %1 served on %2/").arg(file, address));
    QNetworkAccessManager network;
    const Answer page = fetch(network, address + QStringLiteral("/"));
    if (!page.error.isEmpty())
        report(QStringLiteral("  the overview did not answer: %1").arg(page.error));
    else
        report(QStringLiteral("  / answered %1 with %2 bytes of HTML")
                   .arg(page.status)
                   .arg(page.body.size()));
    const Answer yields = fetch(network, address + QStringLiteral("/api/yield"));
    if (yields.status == 200)
        printYields(yields.body);
    else
        report(QStringLiteral("  /api/yield answered %1: %2")
                   .arg(yields.status)
                   .arg(QString::fromUtf8(yields.body)));
    // At a desk the pages are there to be looked at; run by itself, the
    // demo only shows that they answer.
    if (!session.automatic) {
        report(QStringLiteral("Open %1/ in a browser; press Enter to stop the dashboard.")
                   .arg(address));
        std::getchar();
    }
    stop(server);
    report(QStringLiteral("  (start it yourself: xq-dashboard --database sqlite:%1)").arg(file));
}
