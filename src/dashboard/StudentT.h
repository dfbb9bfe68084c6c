#pragma once

namespace XQTestDev::dashboard {

// The two-sided p-value of Student's t statistic `t` with `degrees` of
// freedom (not necessarily whole, as Welch's test gives them): the chance of
// a |t| at least this large when the means do not differ. 1 for a t or
// degrees that are not finite and positive.
double twoSidedPValue(double t, double degrees);

} // namespace XQTestDev::dashboard
