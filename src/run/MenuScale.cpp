#include "run/MenuScale.h"

#include "config/StationFiles.h"
#include "frame/LibraryState.h"
#include "run/GroupRows.h"
#include "run/GroupWindow.h"
#include "run/HeaderWindow.h"
#include "run/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace XQTestDev {

MenuScaleSetting parseMenuScale(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("Auto"), Qt::CaseInsensitive) == 0)
        return {true, 1};
    bool ok = false;
    const double factor = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(factor) || factor <= 0)
        return {};
    return {false, std::clamp(factor, SmallestMenuScale, LargestMenuScale)};
}

double automaticMenuScale(int usableWidth, int usableHeight, int rowLimit) {
    const int windowHeight = GroupWindow::heightFor(rowLimit, rowLimit);
    const double byHeight = static_cast<double>(usableHeight) / (HeaderHeight + windowHeight);
    const double byWidth = static_cast<double>(usableWidth) / HeaderWindow::Width;
    const double factor = std::min(byHeight, byWidth);
    // Two decimals: the same screen always gives the same layout.
    return std::clamp(std::floor(factor * 100) / 100, 1.0, LargestMenuScale);
}

double configuredMenuScale() {
    const MenuScaleSetting setting = parseMenuScale(readStationValue(
        StationFile::Ate, QStringLiteral("ATE Configuration"), QStringLiteral("MenuScale")));
    if (!setting.automatic)
        return setting.factor;
    const LibraryState& state = library();
    return automaticMenuScale(state.screenWidth, state.screenHeight,
                              rowLimitFor(state.screenHeight));
}

} // namespace XQTestDev
