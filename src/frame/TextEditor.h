#pragma once

#include <QString>

namespace XQTestDev {

// Opens a file in the user's editor ($VISUAL, else $EDITOR, else xdg-open) as
// a detached process, never through a shell. Returns false when nothing
// could be started; callers ignore it, as an editor is a convenience.
bool openInTextEditor(const QString& path);

} // namespace XQTestDev
