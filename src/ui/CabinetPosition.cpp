#include "ui/CabinetPosition.h"

#include <QSettings>

#include <cmath>
#include <limits>

namespace XQTestDev {

namespace {

constexpr int DefaultTop = 4890;
constexpr int DefaultLeft = 12465;

const QString GroupKey = QStringLiteral("SaveConfig/");

// The operator's own settings store: a per-machine store is not writable from
// an operator's account on most systems, and the place must survive between
// runs. Values of the per-machine store are still read where no own value
// exists.
QSettings settingsStore() {
    return QSettings(QStringLiteral("Orvanta"), QStringLiteral("XQTestDev"));
}

int twipsFrom(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(std::lround(value));
}

} // namespace

CabinetPlace cabinetPlaceFrom(const QString& savedLeft, const QString& savedTop) {
    const CabinetPlace place{twipsFrom(savedLeft), twipsFrom(savedTop)};
    if (place.left == 0 && place.top == 0)
        return {DefaultLeft, DefaultTop};
    return place;
}

CabinetPlace savedCabinetPlace() {
    const QSettings store = settingsStore();
    if (store.status() != QSettings::NoError)
        return cabinetPlaceFrom(QString(), QString());
    return cabinetPlaceFrom(store.value(GroupKey + QStringLiteral("CabinetLocX")).toString(),
                            store.value(GroupKey + QStringLiteral("CabinetLocY")).toString());
}

void saveCabinetPlace(int left, int top) {
    QSettings store = settingsStore();
    store.setValue(GroupKey + QStringLiteral("CabinetLocX"), QString::number(left));
    store.setValue(GroupKey + QStringLiteral("CabinetLocY"), QString::number(top));
    store.sync();
}

} // namespace XQTestDev
