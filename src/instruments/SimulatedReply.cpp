#include "instruments/SimulatedReply.h"

#include <QRandomGenerator>

namespace XQTestDev {

QString simulatedReply() {
    // One generator seeded once: seeding from a millisecond clock at every
    // reading would repeat the same number within a millisecond.
    const float number = static_cast<float>(QRandomGenerator::global()->generateDouble());
    return QString::number(number < 1.0f ? number : 0.0f, 'g', 7);
}

} // namespace XQTestDev
