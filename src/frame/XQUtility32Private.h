#pragma once

namespace XQTestDev {

// Per-object state of an XQUtility32 (the windows it opened). Library-wide
// settings live in LibraryState instead.
class XQUtility32Private {
public:
};

} // namespace XQTestDev
