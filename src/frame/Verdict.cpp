#include "frame/Verdict.h"

namespace XQTestDev {

QString unitVerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Pass:
        return QStringLiteral("PASS");
    case Verdict::Fail:
        return QStringLiteral("FAIL");
    case Verdict::Untested:
    case Verdict::Testing:
        break;
    }
    return {};
}

Verdict unitVerdictOf(const QString& text) {
    const QString word = text.trimmed().toUpper();
    if (word == QLatin1String("PASS"))
        return Verdict::Pass;
    if (word == QLatin1String("FAIL"))
        return Verdict::Fail;
    return Verdict::Untested;
}

QString lineVerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Pass:
        return QStringLiteral("Pass");
    case Verdict::Fail:
        return QStringLiteral("Fail");
    case Verdict::Untested:
    case Verdict::Testing:
        break;
    }
    return {};
}

Verdict lineVerdictOf(const QString& text) {
    if (text == QLatin1String("Pass"))
        return Verdict::Pass;
    if (text == QLatin1String("Fail"))
        return Verdict::Fail;
    return Verdict::Untested;
}

} // namespace XQTestDev
