#include "instruments/GpibBinding.h"

#include "instruments/GpibApi.h"

namespace XQTestDev {

namespace {

// The four cells the driver writes into once the thread is bound.
struct DriverVariables {
    int ibsta = 0;
    int iberr = 0;
    int ibcnt = 0;
    long ibcntl = 0;
};

constexpr long FailedBindingCount = static_cast<long>(0xDEAD37F0L);

thread_local DriverVariables variables;
thread_local GpibMirrors mirrors;
thread_local bool bound = false;

qint16 low16(long value) {
    return static_cast<qint16>(static_cast<quint16>(static_cast<unsigned long>(value) & 0xFFFFu));
}

void setMirrors(long status, long error, long longCount) {
    mirrors.status = low16(status);
    mirrors.error = static_cast<qint16>(error);
    mirrors.longCount = longCount;
    mirrors.count = low16(longCount);
}

int registerVariables(const GpibFunctions& driver) {
    return driver.RegisterGpibGlobalsForThread(&variables.ibsta, &variables.iberr, &variables.ibcnt,
                                               &variables.ibcntl);
}

} // namespace

const GpibMirrors& gpibMirrors() {
    return mirrors;
}

quint16 gpibStatusWord() {
    return static_cast<quint16>(mirrors.status);
}

void markGpibThreadUnbound() {
    bound = false;
}

bool bindGpibThread(const GpibFunctions& driver) {
    if (bound || !driver.RegisterGpibGlobalsForThread)
        return true;
    const int code = registerVariables(driver);
    if (code == 0) {
        bound = true;
        return true;
    }
    if (code == 1) { // already registered with other cells: register ours again
        driver.UnregisterGpibGlobalsForThread();
        registerVariables(driver);
        bound = true;
        return true;
    }
    if (code == 2 || code == 3)
        driver.UnregisterGpibGlobalsForThread();
    variables.ibsta = gpib::ErrorBit;
    variables.iberr = 0;
    variables.ibcntl = FailedBindingCount;
    setMirrors(variables.ibsta, variables.iberr, variables.ibcntl);
    return false;
}

void refreshGpibMirrors(const GpibFunctions& driver) {
    if (driver.RegisterGpibGlobalsForThread)
        setMirrors(variables.ibsta, variables.iberr, variables.ibcntl);
    else
        setMirrors(driver.ThreadIbsta(), driver.ThreadIberr(), driver.ThreadIbcntl());
}

void setGpibMirrorsToNoDriver() {
    setMirrors(gpib::ErrorBit, 0, 0);
}

} // namespace XQTestDev
