// One reading cycle of an instrument panel on the simulated bus (write the
// read command, read, convert, show, raise ValueChanged) beside the bare
// ibwrt + ibrd pair to the same instrument; and a bus scan of 30 listeners
// beside the bare driver calls that scan makes.

#include "BenchMain.h"

#include "instruments/DevicePanel.h"
#include "instruments/GpibLibrary.h"
#include "instruments/PanelReading.h"
#include "instruments/XQGPIB32Private.h"

#include <XQTestDev/Messages.h>
#include <XQTestDev/XQGPIB32.h>

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>

using namespace XQTestDev;

namespace {

constexpr const char* ReadCommand = "MEAS:VOLT:DC?";

// Thirty multimeters; the one at 22 is read.
QByteArray thirtyListeners() {
    QByteArray bus = "[board 0]\n";
    for (int address = 1; address <= 30; ++address) {
        bus += "[device DEV" + QByteArray::number(address) +
               "]\naddress = " + QByteArray::number(address) +
               "\nidn = ORVANTA INSTRUMENTS,MODEL-" + QByteArray::number(address) + ",SN" +
               QByteArray::number(1000 + address) +
               ",1.0\nquery MEAS:VOLT:DC? = number 5.012 noise 0.004\n";
    }
    return bus;
}

struct Bench {
    QTemporaryDir dir;
    XQGPIB32* device = nullptr;
    int descriptor = 0;

    Bench() {
        setMessageHandler([](const MessageRequest&) { return static_cast<int>(ResultOK); });
        QFile bus(dir.path() + QStringLiteral("/bench.gpib"));
        if (bus.open(QIODevice::WriteOnly))
            bus.write(thirtyListeners());
        bus.close();
        qputenv("WinDir", QFile::encodeName(dir.path()));
        qputenv("XQ_GPIB_LIBRARY", XQ_SIM_DRIVER);
        qputenv("XQ_GPIB_SIM_BUS", QFile::encodeName(bus.fileName()));
        device = new XQGPIB32;
        device->setDeviceName(22);
        device->setReadCommand(QString::fromLatin1(ReadCommand));
        device->setUnit(QStringLiteral("V"));
        device->setPanelHide(true);
        device->setStatusHide(true);
        device->Execute();
        descriptor = XQGPIB32Private::of(*device).descriptor;
    }
};

Bench& bench() {
    static Bench instance;
    return instance;
}

void BM_ReadingCycle(benchmark::State& state) {
    PanelReading& reading = XQGPIB32Private::of(*bench().device).panel().reading();
    int changes = 0;
    const QMetaObject::Connection counting =
        QObject::connect(bench().device, &XQGPIB32::ValueChanged, [&changes] { ++changes; });
    for (auto _ : state)
        reading.runCycle();
    QObject::disconnect(counting);
    // The share of cycles that raised ValueChanged (the noise moves most).
    state.counters["raised"] = benchmark::Counter(changes, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReadingCycle)->Unit(benchmark::kMicrosecond);

void BM_ReadingCycle_DriverPair(benchmark::State& state) {
    const GpibFunctions* driver = gpibFunctions();
    const int ud = bench().descriptor;
    std::array<char, 65526> buffer{};
    for (auto _ : state) {
        driver->ibwrt(ud, ReadCommand, 13);
        driver->ibrd(ud, buffer.data(), static_cast<long>(buffer.size()));
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_ReadingCycle_DriverPair)->Unit(benchmark::kMicrosecond);

void BM_ScanDevices(benchmark::State& state) {
    bench();
    XQGPIB32 scanner;
    scanner.setStatusHide(true);
    QVariantList found;
    for (auto _ : state)
        scanner.ScanDevices(found);
    state.counters["listeners"] = static_cast<double>(found.size());
}
BENCHMARK(BM_ScanDevices)->Unit(benchmark::kMicrosecond);

void BM_ScanDevices_DriverCalls(benchmark::State& state) {
    bench();
    const GpibFunctions* driver = gpibFunctions();
    std::array<Addr4882_t, 31> addresses{};
    for (int at = 0; at < 30; ++at)
        addresses[static_cast<size_t>(at)] = static_cast<Addr4882_t>(at + 1);
    addresses[30] = 0xFFFF;
    std::array<Addr4882_t, 31> listeners{};
    std::array<char, 50> reply{};
    for (auto _ : state) {
        driver->ibfind("GPIB0");
        driver->SendIFC(0);
        driver->FindLstn(0, addresses.data(), listeners.data(), 30);
        listeners[30] = 0xFFFF;
        driver->DevClearList(0, listeners.data());
        driver->SendList(0, listeners.data(), "*IDN?", 5, 2);
        for (int at = 0; at < 30; ++at)
            driver->Receive(0, listeners[static_cast<size_t>(at)], reply.data(), 50, 0x100);
        benchmark::DoNotOptimize(reply.data());
    }
}
BENCHMARK(BM_ScanDevices_DriverCalls)->Unit(benchmark::kMicrosecond);

const bool ratiosDeclared = [] {
    expectRatio("BM_ReadingCycle", "BM_ReadingCycle_DriverPair", 20.0);
    expectRatio("BM_ScanDevices", "BM_ScanDevices_DriverCalls", 10.0);
    return true;
}();

} // namespace
