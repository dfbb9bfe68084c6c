#include "instruments/TransportTimeout.h"

#include <algorithm>
#include <array>

namespace XQTestDev {

int timeoutMilliseconds(int timeoutCode) {
    // In microseconds, indexed by code.
    static constexpr std::array<long long, 18> Durations{
        0,      10,     30,      100,     300,      1000,     3000,      10000,     30000,
        100000, 300000, 1000000, 3000000, 10000000, 30000000, 100000000, 300000000, 1000000000};
    const long long micros = timeoutCode >= 1 && timeoutCode < static_cast<int>(Durations.size())
                                 ? Durations[static_cast<size_t>(timeoutCode)]
                                 : Durations[13];
    return static_cast<int>(std::max(1LL, micros / 1000));
}

} // namespace XQTestDev
