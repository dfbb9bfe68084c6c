// One reading cycle of an instrument panel over a raw SCPI socket to the
// simulated LAN multimeter on loopback (write the read command, read the
// reply, convert, show, raise ValueChanged) beside the bare send + recv of
// the same bytes on a connected loopback socket to the same instrument.

#include "BenchMain.h"

#include "instruments/DevicePanel.h"
#include "instruments/PanelReading.h"
#include "instruments/XQGPIB32Private.h"

#include <XQTestDev/Messages.h>
#include <XQTestDev/XQGPIB32.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>

using namespace XQTestDev;

namespace {

constexpr const char* ReadCommand = "MEAS:VOLT:DC?";
constexpr const char* Address = "127.0.0.61";

struct Bench {
    QTemporaryDir dir;
    QProcess server;
    int port = 0;
    XQGPIB32* device = nullptr;

    Bench() {
        setMessageHandler([](const MessageRequest&) { return static_cast<int>(ResultOK); });
        const QString benchFile = dir.path() + QStringLiteral("/bench.gpib");
        QFile file(benchFile);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray("[lan DMM]\nprotocol = socket\naddress = ") + Address +
                       "\nport = 0\nidn = ORVANTA INSTRUMENTS,DM-4050,SN4411,1.02\n"
                       "query MEAS:VOLT:DC? = number 5.012 noise 0.004\n");
        file.close();
        server.start(QStringLiteral(XQ_SIM_LAN), {benchFile});
        QByteArray out;
        while (!out.contains("ready\n") && server.waitForReadyRead(5000))
            out += server.readAllStandardOutput();
        const qsizetype colon = out.indexOf(':');
        port = colon < 0 ? 0 : out.mid(colon + 1, out.indexOf('\n', colon) - colon - 1).toInt();
        if (port == 0)
            std::fprintf(stderr, "bench_lan: xq-sim-lan did not start: %s\n",
                         server.readAllStandardError().constData());
        qputenv("WinDir", QFile::encodeName(dir.path()));
        device = new XQGPIB32;
        device->setDeviceName(
            QStringLiteral("TCPIP::%1::%2::SOCKET").arg(QLatin1String(Address)).arg(port));
        device->setReadCommand(QString::fromLatin1(ReadCommand));
        device->setUnit(QStringLiteral("V"));
        device->setPanelHide(true);
        device->setStatusHide(true);
        device->Execute();
    }
    ~Bench() {
        delete device;
        server.terminate();
        server.waitForFinished(5000);
    }
};

Bench& bench() {
    static Bench instance;
    return instance;
}

void BM_LanReadingCycle(benchmark::State& state) {
    PanelReading& reading = XQGPIB32Private::of(*bench().device).panel().reading();
    int changes = 0;
    const QMetaObject::Connection counting =
        QObject::connect(bench().device, &XQGPIB32::ValueChanged, [&changes] { ++changes; });
    for (auto _ : state)
        reading.runCycle();
    QObject::disconnect(counting);
    state.counters["raised"] = benchmark::Counter(changes, benchmark::Counter::kAvgIterations);
    if (bench().device->ErrorStatus())
        state.SkipWithError("the reading failed");
}
BENCHMARK(BM_LanReadingCycle)->Unit(benchmark::kMicrosecond);

void BM_LanReadingCycle_SendRecv(benchmark::State& state) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(static_cast<uint16_t>(bench().port));
    inet_pton(AF_INET, Address, &peer.sin_addr);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        state.SkipWithError("no connection");
        ::close(fd);
        return;
    }
    const int yes = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    const std::string command = std::string(ReadCommand) + "\n";
    std::array<char, 65526> buffer{};
    for (auto _ : state) {
        ::send(fd, command.data(), command.size(), MSG_NOSIGNAL);
        size_t received = 0;
        while (received == 0 || buffer[received - 1] != '\n') {
            const ssize_t n = ::recv(fd, buffer.data() + received, buffer.size() - received, 0);
            if (n <= 0)
                break;
            received += static_cast<size_t>(n);
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    ::close(fd);
}
BENCHMARK(BM_LanReadingCycle_SendRecv)->Unit(benchmark::kMicrosecond);

const bool ratiosDeclared = [] {
    expectRatio("BM_LanReadingCycle", "BM_LanReadingCycle_SendRecv", 3.0);
    return true;
}();

} // namespace
