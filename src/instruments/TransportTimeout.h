#pragma once

namespace XQTestDev {

// TimeOut's codes as durations, the same on every transport: 1 = 10 us,
// 2 = 30 us, ... 11 = 1 s, 12 = 3 s, 13 = 10 s, ... 17 = 1000 s. Code 0 (no
// limit) and unknown codes give 10 s, TimeOut's default. At least 1 ms, the
// finest step a socket or a poll can wait.
int timeoutMilliseconds(int timeoutCode);

} // namespace XQTestDev
