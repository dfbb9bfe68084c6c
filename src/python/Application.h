#pragma once

#include "Binding.h"

#include <optional>
#include <string>
#include <vector>

namespace XQTestDev::python {

// Creates the process's QApplication when there is none yet: with the given
// arguments (sys.argv when none), on Qt's offscreen platform when there is
// no display. It stays until the process ends, after every library object.
void ensureApplication(const std::optional<std::vector<std::string>>& arguments = std::nullopt);

} // namespace XQTestDev::python
