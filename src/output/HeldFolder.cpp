#include "output/HeldFolder.h"

#include <QDir>

namespace XQTestDev {

namespace {

QString withSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

} // namespace

QString heldRunsFolder() {
    const QString chosen = qEnvironmentVariable("XQ_HELD_RUNS_DIR");
    if (!chosen.isEmpty())
        return withSlash(chosen);
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return withSlash(state) + QStringLiteral("xqtestdev/held/");
}

} // namespace XQTestDev
