#include "instruments/GpibCalls.h"

#include "instruments/GpibBinding.h"
#include "instruments/GpibLibrary.h"

#include <QFile>

#include <algorithm>

namespace XQTestDev {

namespace {

// Runs `call` on the driver with the binding before and the mirrors after;
// `otherwise` is the result when no call could be made.
template <typename Result, typename Call> Result callDriver(Result otherwise, Call call) {
    const GpibFunctions* driver = gpibFunctions();
    if (!driver) {
        setGpibMirrorsToNoDriver();
        return otherwise;
    }
    if (!bindGpibThread(*driver))
        return otherwise;
    Result result = call(*driver);
    refreshGpibMirrors(*driver);
    return result;
}

template <typename Call> void callDriver(Call call) {
    callDriver(0, [&](const GpibFunctions& driver) {
        call(driver);
        return 0;
    });
}

long receivedCount(long bufferSize) {
    return std::clamp(gpibMirrors().longCount, 0L, bufferSize);
}

} // namespace

QByteArray toDriverText(const QString& text) {
    return text.toLatin1();
}

QString fromDriverText(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

QString withoutOuterBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.sliced(begin, end - begin);
}

int gpibOpenByAddress(int board, int primaryAddress, int secondaryAddress, int timeoutCode,
                      int sendEoi, int eosMode) {
    return callDriver(-1, [&](const GpibFunctions& driver) {
        return driver.ibdev(board, primaryAddress, secondaryAddress, timeoutCode, sendEoi, eosMode);
    });
}

int gpibOpenByName(const QString& name) {
    const QByteArray text = toDriverText(name);
    return callDriver(-1,
                      [&](const GpibFunctions& driver) { return driver.ibfind(text.constData()); });
}

void gpibWrite(int descriptor, const QByteArray& bytes) {
    callDriver([&](const GpibFunctions& driver) {
        driver.ibwrt(descriptor, bytes.constData(), static_cast<long>(bytes.size()));
    });
}

void gpibWriteFile(int descriptor, const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    callDriver([&](const GpibFunctions& driver) { driver.ibwrtf(descriptor, file.constData()); });
}

void gpibClear(int descriptor) {
    callDriver([&](const GpibFunctions& driver) {
        if (driver.ibclr)
            driver.ibclr(descriptor);
    });
}

QByteArray gpibRead(int descriptor, long bufferSize) {
    QByteArray buffer(static_cast<qsizetype>(bufferSize), '\0');
    const bool called = callDriver(false, [&](const GpibFunctions& driver) {
        driver.ibrd(descriptor, buffer.data(), bufferSize);
        return true;
    });
    // A count beyond the buffer (a faulty driver) never reads past it.
    buffer.truncate(called ? receivedCount(bufferSize) : 0);
    return buffer;
}

void gpibSendIFC(int board) {
    callDriver([&](const GpibFunctions& driver) { driver.SendIFC(board); });
}

void gpibFindListeners(int board, const GpibAddressList& addresses, GpibAddressList& listeners,
                       int limit) {
    const int safeLimit = std::clamp(limit, 0, static_cast<int>(listeners.size()));
    callDriver([&](const GpibFunctions& driver) {
        driver.FindLstn(board, addresses.data(), listeners.data(), safeLimit);
    });
}

void gpibDevClearList(int board, const GpibAddressList& addresses) {
    callDriver([&](const GpibFunctions& driver) { driver.DevClearList(board, addresses.data()); });
}

void gpibSendList(int board, const GpibAddressList& addresses, const QByteArray& bytes,
                  int eotMode) {
    callDriver([&](const GpibFunctions& driver) {
        driver.SendList(board, addresses.data(), bytes.constData(), static_cast<long>(bytes.size()),
                        eotMode);
    });
}

GpibReceived gpibReceive(int board, Addr4882_t address, long bufferSize, int termination,
                         char fill) {
    GpibReceived received;
    received.buffer = QByteArray(static_cast<qsizetype>(bufferSize), fill);
    const bool called = callDriver(false, [&](const GpibFunctions& driver) {
        driver.Receive(board, address, received.buffer.data(), bufferSize, termination);
        return true;
    });
    received.count = called ? receivedCount(bufferSize) : 0;
    return received;
}

} // namespace XQTestDev
