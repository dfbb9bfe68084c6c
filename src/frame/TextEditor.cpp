#include "frame/TextEditor.h"

#include <QProcess>

namespace XQTestDev {

namespace {

QStringList editorCommand() {
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        // The variable may carry options ("code --wait"); split like a shell
        // would, without running one.
        const QStringList command = QProcess::splitCommand(qEnvironmentVariable(variable));
        if (!command.isEmpty())
            return command;
    }
    return {QStringLiteral("xdg-open")};
}

} // namespace

bool openInTextEditor(const QString& path) {
    QStringList command = editorCommand();
    const QString program = command.takeFirst();
    command << path;
    return QProcess::startDetached(program, command);
}

} // namespace XQTestDev
