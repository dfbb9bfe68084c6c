#include "LanFixture.h"

#include <QFile>

#include <unistd.h>

namespace XQTestDev::testing {

QString SimulatedLanTest::address() {
    // 127.0.0.0/8 is all loopback: one address per test process.
    const unsigned pid = static_cast<unsigned>(getpid());
    return QStringLiteral("127.%1.%2.%3")
        .arg(10 + (pid >> 16) % 200)
        .arg((pid >> 8) & 0xFF)
        .arg(1 + (pid & 0xFF) % 254);
}

void SimulatedLanTest::TearDown() {
    stopLan();
    GpibTest::TearDown();
}

bool SimulatedLanTest::launch(const QByteArray& bench) {
    const QString path = root() + QStringLiteral("lan-bench.txt");
    writeFile(path, bench);
    server_ = std::make_unique<QProcess>();
    server_->start(QStringLiteral(XQ_SIM_LAN), {path});
    served.clear();
    if (!server_->waitForStarted(5000))
        return false;
    QByteArray out;
    while (!out.contains("ready\n")) {
        if (!server_->waitForReadyRead(5000)) {
            failure = QString::fromLocal8Bit(server_->readAllStandardError());
            return false;
        }
        out += server_->readAllStandardOutput();
    }
    for (const QByteArray& line : out.split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 4 && words.at(0) == "lan")
            served.insert(QString::fromLatin1(words.at(1)), QString::fromLatin1(words.at(3)));
    }
    return true;
}

bool SimulatedLanTest::startLan(const QByteArray& bench) {
    bench_ = QByteArray(bench).replace("ADDRESS", address().toLatin1());
    return launch(bench_);
}

void SimulatedLanTest::stopLan() {
    if (!server_)
        return;
    server_->terminate();
    server_->waitForFinished(5000);
    server_.reset();
}

bool SimulatedLanTest::restartLan() {
    // The same ports again: the instruments come back where they were.
    QByteArray bench = bench_;
    for (auto it = served.cbegin(); it != served.cend(); ++it) {
        const QByteArray section = "[lan " + it.key().toLatin1() + "]\n";
        const QByteArray port = it.value().section(QLatin1Char(':'), 1).toLatin1();
        bench.replace(section, section + "port = " + port + "\n");
    }
    stopLan();
    return launch(bench);
}

QString SimulatedLanTest::socketResource(const QString& name) const {
    const QString at = served.value(name);
    return QStringLiteral("TCPIP::") + at.section(QLatin1Char(':'), 0, 0) + QStringLiteral("::") +
           at.section(QLatin1Char(':'), 1) + QStringLiteral("::SOCKET");
}

} // namespace XQTestDev::testing
