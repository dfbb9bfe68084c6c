#include "output/ReportPaging.h"

#include "frame/NumberText.h"

#include <cmath>
#include <limits>

namespace XQTestDev {

namespace {
constexpr int DefaultLinesPerPage = 65;
constexpr int FewestLinesPerPage = 50;
constexpr int FooterLines = 2;
} // namespace

int linesPerPage(const QString& setting) {
    if (setting.isEmpty() || !isNumericText(setting))
        return DefaultLinesPerPage;
    const double value = leadingNumber(setting);
    if (value < FewestLinesPerPage)
        return FewestLinesPerPage;
    const double rounded = std::nearbyint(value);
    // A page longer than any int is simply never full.
    if (!(rounded < static_cast<double>(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return static_cast<int>(rounded) - FooterLines;
}

} // namespace XQTestDev
