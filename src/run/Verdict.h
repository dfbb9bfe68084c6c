#pragma once

namespace XQTestDev {

// What a row of the run says about its test line.
enum class Verdict {
    Untested, // nothing shown yet, or cleared
    Testing,  // the station program reports "TESTING"; never counted
    Pass,
    Fail,
};

} // namespace XQTestDev
